// Edit commands, undo and redo, the modified state and its notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/document.h"
#include "memory_text.h"

namespace pathbook {
namespace {

using test::AllText;

struct DirtyLog : DocListener {
    explicit DirtyLog(Document& document) : document(document) { document.AddListener(this); }
    ~DirtyLog() override { document.RemoveListener(this); }
    void OnTextUpdate(DocPos, DocPos, DocPos, bool byCommand) override {
        ++textUpdates;
        EXPECT_TRUE(byCommand);
    }
    void OnDirtyFlagChange(bool modified) override { flags.push_back(modified); }
    Document& document;
    std::vector<bool> flags;
    int textUpdates = 0;
};

void Type(Document& document, std::u16string_view text, DocPos at = {kEndOfText, kEndOfText}) {
    InsertCommand command(at, text);
    document.Execute(command);
}

bool Saved(Document& document) {
    test::MemorySink sink;
    return document.Save(sink);
}

TEST(UndoTest, InsertDeleteAndReplaceRevertAndRedo) {
    Document document;
    Type(document, u"one\ntwo\nthree");
    DeleteCommand erase({1, 0}, {2, 1});
    document.Execute(erase);
    EXPECT_EQ(AllText(document), u"oo\r\nthree");
    ReplaceCommand replace({0, 1}, {5, 1}, u"3\r\n4");
    document.Execute(replace);
    EXPECT_EQ(AllText(document), u"oo\r\n3\r\n4");
    document.Undo();
    EXPECT_EQ(AllText(document), u"oo\r\nthree");
    document.Undo();
    EXPECT_EQ(AllText(document), u"one\r\ntwo\r\nthree");
    document.Redo();
    document.Redo();
    EXPECT_EQ(AllText(document), u"oo\r\n3\r\n4");
    document.Undo();
    document.Undo();
    document.Undo();
    EXPECT_EQ(AllText(document), u"");
    EXPECT_FALSE(document.CanUndo());
    EXPECT_FALSE(document.IsModified());
    document.Undo();  // nothing left: no effect
    EXPECT_TRUE(document.CanRedo());
    EXPECT_TRUE(document.CheckInvariants());
}

// The oldest steps go, and with them the saved state; a limit of zero keeps one.
TEST(UndoTest, TheLimitKeepsTheNewestSteps) {
    const struct {
        std::uint32_t limit;
        std::u16string typed;
        std::size_t kept;
        std::u16string afterUndos;
    } cases[] = {{3, u"abcde", 3, u"ab"}, {0, u"ab", 1, u"a"}};
    for (const auto& c : cases) {
        Document document;
        document.SetUndoLimit(c.limit);
        for (char16_t unit : c.typed) Type(document, std::u16string(1, unit));
        EXPECT_EQ(document.History().Count(), c.kept) << c.limit;
        for (std::size_t i = 0; i <= c.kept; ++i) document.Undo();
        EXPECT_EQ(AllText(document), c.afterUndos) << c.limit;
        EXPECT_TRUE(document.IsModified()) << c.limit;
    }
}

TEST(UndoTest, OnlyASaveThatHeldAndUndoingBackToItClearModified) {
    Document document;
    DirtyLog log(document);
    Type(document, u"x");
    test::MemorySink failing(false);
    EXPECT_FALSE(document.Save(failing));
    EXPECT_EQ(failing.closes, 1);
    EXPECT_TRUE(document.IsModified()) << "a failed save leaves the document modified";
    ASSERT_TRUE(Saved(document));
    EXPECT_EQ(log.flags, (std::vector<bool>{true}));  // saving itself notifies nobody
    Type(document, u"y");
    document.Undo();
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(log.flags, (std::vector<bool>{true, true, false}));
    document.Redo();
    EXPECT_TRUE(document.IsModified());
}

TEST(UndoTest, SavedStateOnADiscardedBranchStaysUnreachable) {
    Document document;
    Type(document, u"a");
    Type(document, u"b");
    ASSERT_TRUE(Saved(document));
    document.Undo();
    Type(document, u"c");
    document.Undo();
    EXPECT_EQ(AllText(document), u"a");
    EXPECT_TRUE(document.IsModified());
}

// A group is one step, heard as one update covering every step, and undone in reverse order.
TEST(UndoTest, AGroupIsOneStepHeardAsOneUpdate) {
    Document document;
    Type(document, u"cat dog\ncat");
    DirtyLog log(document);
    CommandGroup group;
    group.Add(std::make_unique<ReplaceCommand>(DocPos::At(0, 0), DocPos::At(0, 3), std::u16string(u"lion")));
    group.Add(std::make_unique<ReplaceCommand>(DocPos::At(1, 0), DocPos::At(1, 3), std::u16string(u"ox\nyak")));
    test::HeardChange heard = test::Run(document, group);
    EXPECT_EQ(heard, (test::HeardChange{DocPos::At(0, 0), DocPos::At(1, 3), DocPos::At(2, 3)}));
    EXPECT_EQ(log.textUpdates, 1);
    EXPECT_EQ(AllText(document), u"lion dog\r\nox\r\nyak");
    document.Undo();
    EXPECT_EQ(AllText(document), u"cat dog\r\ncat");
    EXPECT_EQ(log.textUpdates, 2);
    document.Redo();
    document.RemoveListener(&log);
    // A later step before an earlier one, and one inside the text of another.
    CommandGroup mixed;
    mixed.Add(std::make_unique<InsertCommand>(DocPos::At(2, 3), std::u16string(u"!\n?")));
    mixed.Add(std::make_unique<DeleteCommand>(DocPos::At(0, 1), DocPos::At(0, 2)));
    mixed.Add(std::make_unique<InsertCommand>(DocPos::At(3, 0), std::u16string(u"x")));
    heard = test::Run(document, mixed);
    EXPECT_EQ(AllText(document), u"lon dog\r\nox\r\nyak!\r\nx?");
    EXPECT_EQ(heard, (test::HeardChange{DocPos::At(0, 1), DocPos::At(2, 3), DocPos::At(3, 2)}));
    document.Undo();
    EXPECT_EQ(AllText(document), u"lion dog\r\nox\r\nyak");
}

TEST(UndoTest, ACommandRunByHandIsStillHeard) {
    Document document;
    DirtyLog log(document);
    InsertCommand insert(DocPos::At(0, 0), u"ab");
    std::unique_ptr<EditCommand> inverse = insert.Execute(document);
    EXPECT_EQ(log.textUpdates, 1);
    inverse->Execute(document);
    EXPECT_EQ(log.textUpdates, 2);
    EXPECT_EQ(AllText(document), u"");
}

TEST(UndoTest, ClearAllForgetsEverything) {
    Document document;
    Type(document, u"text\nmore");
    DirtyLog log(document);
    document.ClearAll();
    EXPECT_EQ(AllText(document), u"");
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.CanUndo());
    EXPECT_FALSE(document.CanRedo());
    EXPECT_EQ(log.flags.back(), false);
    EXPECT_TRUE(document.CheckInvariants());
}

TEST(UndoTest, AMillionStepsAreFreedWithoutDeepRecursion) {
    auto document = std::make_unique<Document>();
    DeleteCommand erase({0, 0}, {1, 0});
    for (int i = 0; i < 500000; ++i) {
        Type(*document, u"x", {0, 0});
        document->Execute(erase);
    }
    for (int i = 0; i < 500000; ++i) document->Undo();
    EXPECT_EQ(test::AllText(*document), u"");
    Type(*document, u"y", {0, 0});  // discards a redo branch of 500,000 steps
    EXPECT_EQ(document->History().Count(), 500001u);
    document.reset();  // frees the rest
}

}  // namespace
}  // namespace pathbook
