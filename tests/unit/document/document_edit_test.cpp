// Inserting and deleting through edit commands, CopyRange and the listeners.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/document.h"
#include "memory_text.h"

namespace pathbook {
namespace {

using test::AllText;
using test::LinesOf;
using Lines = std::vector<std::u16string>;

DocPos Insert(Document& document, DocPos pos, std::u16string_view text) {
    DocPos end = test::InsertAt(document, pos, text);
    EXPECT_TRUE(document.CheckInvariants());
    return end;
}

std::u16string Delete(Document& document, DocPos from, DocPos to) {
    std::u16string removed = document.CopyRange(from, to);
    DeleteCommand command(from, to);
    document.Execute(command);
    EXPECT_TRUE(document.CheckInvariants());
    return removed;
}

TEST(DocumentEditTest, NewDocumentHasOneEmptyUnmodifiedLine) {
    Document document;
    EXPECT_EQ(document.LineCount(), 1u);
    EXPECT_EQ(document.LineLength(0), 0u);
    EXPECT_EQ(document.LineText(0)[0], u'\x7f');
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.CanUndo());
}

TEST(DocumentEditTest, EveryKindOfBreakSplitsLines) {
    const struct {
        std::u16string text;
        Lines lines;
        DocPos end;
    } cases[] = {
        {u"a\r\nb\rc\n", {u"a", u"b", u"c", u""}, {0, 3}}, {u"a\n\rb", {u"a", u"", u"b"}, {1, 2}},
        {u"\r\r\n\n", {u"", u"", u"", u""}, {0, 3}}, {u"plain", {u"plain"}, {5, 0}}, {u"", {u""}, {0, 0}},
    };
    for (const auto& c : cases) {
        Document document;
        EXPECT_EQ(Insert(document, {0, 0}, c.text), c.end);
        EXPECT_EQ(LinesOf(document), c.lines);
    }
}

TEST(DocumentEditTest, InsertingInsideALineMovesItsTailToTheLastNewLine) {
    Document document;
    Insert(document, {0, 0}, u"abcd");
    EXPECT_EQ(Insert(document, {2, 0}, u"x\ny"), (DocPos{1, 1}));
    EXPECT_EQ(LinesOf(document), (Lines{u"abx", u"ycd"}));
    EXPECT_EQ(Insert(document, {1, 1}, u"1\n2\n3"), (DocPos{1, 3}));
    EXPECT_EQ(LinesOf(document), (Lines{u"abx", u"y1", u"2", u"3cd"}));
}

TEST(DocumentEditTest, PositionsAreClampedInPlace) {
    Document document;
    Insert(document, {0, 0}, u"ab\ncd");
    InsertCommand insert(DocPos::At(99, 99), u"!");
    EXPECT_EQ(test::Run(document, insert), (test::HeardChange{DocPos::At(1, 2), DocPos::At(1, 2), DocPos::At(1, 3)}));
    DeleteCommand erase(DocPos::At(0, kEndOfText), DocPos::At(0, 0));
    EXPECT_EQ(test::Run(document, erase), (test::HeardChange{DocPos::At(0, 0), DocPos::At(0, 2), DocPos::At(0, 0)}));
    EXPECT_EQ(test::AllText(document), u"\r\ncd!");
}

TEST(DocumentEditTest, ReversedDeleteRemovesTheSameRangeWithCrLf) {
    Document document;
    Insert(document, {0, 0}, u"first\nsecond line\nthird");
    EXPECT_EQ(document.RangeLength({5, 1}, {0, 0}), 12u);
    EXPECT_EQ(Delete(document, {5, 1}, {0, 0}), u"first\r\nsecon");
    EXPECT_EQ(LinesOf(document), (Lines{u"d line", u"third"}));
    EXPECT_EQ(Delete(document, {0, 0}, {kEndOfText, kEndOfText}), u"d line\r\nthird");
    EXPECT_EQ(LinesOf(document), (Lines{u""})) << "deleting to the end leaves one empty line";
}

TEST(DocumentEditTest, CopyRangeAndRangeLengthAgree) {
    Document document;
    Insert(document, {0, 0}, u"alpha\n\nbeta gamma\r\ndelta\n");
    const DocPos positions[] = {{0, 0}, {3, 0}, {5, 0}, {0, 1}, {4, 2}, {99, 2}, {2, 3}, {0, 4}, {7, 9}};
    for (DocPos from : positions) {
        for (DocPos to : positions) {
            std::u16string copy(static_cast<std::size_t>(document.RangeLength(from, to)) + 1, u'?');
            document.CopyRange(copy.data(), from, to);
            EXPECT_EQ(copy.back(), u'\0');
            copy.pop_back();
            EXPECT_EQ(copy.find(u'\0'), std::u16string::npos);
            EXPECT_EQ(copy, document.CopyRange(to, from));
        }
    }
    EXPECT_EQ(AllText(document), u"alpha\r\n\r\nbeta gamma\r\ndelta\r\n");
}

TEST(DocumentEditTest, LinesGrowAndKeepTheirSentinel) {
    Document document;
    std::u16string expected;
    for (int i = 0; i < 300; ++i) {
        std::u16string unit(1, static_cast<char16_t>(u'a' + i % 26));
        Insert(document, {static_cast<Column>(i / 2), 0}, unit);
        expected.insert(static_cast<std::size_t>(i / 2), unit);
    }
    EXPECT_EQ(LinesOf(document), (Lines{expected}));
    EXPECT_GE(document.Lines()[0]->Capacity(), 300u);
    EXPECT_EQ(document.LineText(0)[300], u'\x7f');
}

TEST(DocumentEditTest, GapMovesKeepLinesInOrder) {
    Document document;
    Lines model{u""};
    // Inserts and deletes of whole lines jump around so the gap travels both ways.
    for (int step = 0; step < 400; ++step) {
        LineIndex at = static_cast<LineIndex>((step * 37) % model.size());
        if (step % 3 == 2 && model.size() > 2) {
            const bool wholeLine = at + 1 < model.size();
            DeleteCommand command(DocPos::At(at, 0), DocPos::At(wholeLine ? at + 1 : at, 0));
            document.Execute(command);
            if (wholeLine) model.erase(model.begin() + at);
        } else {
            std::u16string text = u"line" + std::u16string(1, static_cast<char16_t>(u'A' + step % 26)) + u"\n";
            Insert(document, {0, at}, text);
            model.insert(model.begin() + at, text.substr(0, 5));
        }
        ASSERT_EQ(LinesOf(document), model) << step;
    }
}

struct Recorder : DocListener {
    Recorder(std::vector<std::string>* log, std::string name) : log(log), name(std::move(name)) {}
    void OnTextUpdate(DocPos, DocPos, DocPos, bool) override { log->push_back(name + ":text"); }
    void OnKeywordChange() override { log->push_back(name + ":keywords"); }
    void OnDirtyFlagChange(bool modified) override { log->push_back(name + (modified ? ":dirty" : ":clean")); }
    std::vector<std::string>* log;
    std::string name;
};

TEST(DocumentEditTest, RemovingAListenerMovesTheLastIntoItsSlot) {
    Document document;
    std::vector<std::string> log;
    Recorder first(&log, "1"), second(&log, "2"), third(&log, "3");
    document.AddListener(&first);
    document.AddListener(&second);
    document.AddListener(&third);
    document.RemoveListener(&first);
    document.RemoveListener(&first);  // unknown: ignored
    document.SetKeywordDefinition(u"");
    EXPECT_EQ(log, (std::vector<std::string>{"3:keywords", "2:keywords"}));
}

TEST(DocumentEditTest, KeywordDefinitionNotifiesOnceAfterReclassifying) {
    Document document;
    Insert(document, {0, 0}, u"a#b");
    struct Checker : DocListener {
        explicit Checker(Document& d) : document(d) {}
        void OnKeywordChange() override {
            ++calls;
            commentBitOnB = (document.LineTokens(0)[2] & kCommentBit) != 0;
        }
        Document& document;
        int calls = 0;
        bool commentBitOnB = false;
    } checker(document);
    document.AddListener(&checker);
    document.SetKeywordDefinition(test::kStandardDefinition);
    EXPECT_EQ(checker.calls, 1);
    EXPECT_TRUE(checker.commentBitOnB);
}

}  // namespace
}  // namespace pathbook
