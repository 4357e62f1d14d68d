// Loading from a text source and saving to a text sink.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/document.h"
#include "memory_text.h"

namespace pathbook {
namespace {

using Lines = std::vector<std::u16string>;

struct LoadLog : DocListener {
    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) override {
        ++calls;
        EXPECT_EQ(start, (DocPos{0, 0}));
        EXPECT_EQ(oldEnd, (DocPos{0, 0}));
        EXPECT_FALSE(byCommand);
        end = newEnd;
    }
    int calls = 0;
    DocPos end;
};

TEST(DocumentFilesTest, LoadSplitsLinesAndNotifiesOnce) {
    struct Case {
        std::u16string text;
        Lines lines;
        DocPos end;
    };
    const Case cases[] = {
        {u"", {u""}, {0, 0}},
        {u"abc\n", {u"abc", u""}, {0, 1}},
        {u"a\r\nbb\rccc", {u"a", u"bb", u"ccc"}, {3, 2}},
        {u"\n\n", {u"", u"", u""}, {0, 2}},
    };
    for (std::uint32_t chunk : {1u, 2u, 1024u}) {
        for (const Case& c : cases) {
            Document document;
            LoadLog log;
            document.AddListener(&log);
            test::Load(document, c.text, chunk);
            EXPECT_EQ(test::LinesOf(document), c.lines);
            EXPECT_EQ(log.calls, 1);
            EXPECT_EQ(log.end, c.end);
            EXPECT_FALSE(document.IsModified());
            EXPECT_FALSE(document.CanUndo());
            EXPECT_TRUE(document.CheckInvariants());
        }
    }
}

TEST(DocumentFilesTest, LongLinesAreClassifiedLikeInsertedOnes) {
    std::u16string line;
    for (int i = 0; i < 5000; ++i) line += (i % 97 == 0) ? u"<C:\\x\\y.txt> [c] #" : u"ab ";
    Document loaded;
    loaded.SetKeywordDefinition(u"0110\n[\n]\n#\n");
    test::Load(loaded, line + u"\n" + line);
    Document inserted;
    inserted.SetKeywordDefinition(u"0110\n[\n]\n#\n");
    test::InsertAt(inserted, DocPos::At(0, 0), line + u"\n" + line);
    ASSERT_EQ(loaded.LineCount(), 2u);
    for (LineIndex i = 0; i < 2; ++i) {
        ASSERT_EQ(loaded.LineLength(i), line.size());
        EXPECT_TRUE(std::equal(loaded.LineTokens(i), loaded.LineTokens(i) + line.size(), inserted.LineTokens(i)));
    }
}

// Lines longer than the loader's reusable buffer, around short ones, and a
// load into a document that already holds text.
TEST(DocumentFilesTest, LongLinesLoadWithEveryChunkSize) {
    const std::u16string longLine(70000, u'x');
    const Lines lines = {u"", u"ab", longLine, u"c", longLine + u"y", u""};
    std::u16string text;
    for (const std::u16string& line : lines) text += line + u"\r\n";
    text.pop_back();
    text.pop_back();
    for (std::uint32_t chunk : {1024u, 0xFFFFFFFFu}) {
        Document document;
        test::Load(document, text, chunk);
        ASSERT_EQ(test::LinesOf(document), lines);
        EXPECT_TRUE(document.CheckInvariants());
    }
    Document document;
    test::Load(document, u"xy");
    test::Load(document, u"ab\ncd");
    EXPECT_EQ(test::LinesOf(document), (Lines{u"xyab", u"cd"}));
}

TEST(DocumentFilesTest, SaveWritesEveryLineAndMarksLast) {
    Document document;
    test::Load(document, u"one\ntwo\n");
    test::MemorySink sink;
    EXPECT_TRUE(document.Save(sink));
    EXPECT_EQ(sink.lines, (Lines{u"one", u"two", u""}));
    EXPECT_EQ(sink.lastFlags, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(sink.closes, 1);
}

TEST(DocumentFilesTest, SourceThatStopsMakingProgressEndsTheLoad) {
    struct Stuck : TextSource {
        ReadState State() const override { return state; }
        std::uint32_t Read(char16_t* buffer, std::uint32_t) override {
            buffer[0] = u'z';
            state = ReadState::kBufferFull;
            return first ? (first = false, 1u) : 0u;
        }
        ReadState state = ReadState::kAtLineBreak;
        bool first = true;
    };
    Document document;
    document.Load(std::make_unique<Stuck>());
    EXPECT_EQ(test::LinesOf(document), (Lines{u"z"}));
}

}  // namespace
}  // namespace pathbook
