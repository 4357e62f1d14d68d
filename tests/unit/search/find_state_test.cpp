// The find commands over a document: where each search starts, what gets
// selected, the replace rules and Replace All as one undo step.
#include <gtest/gtest.h>

#include <string>

#include "document/document.h"
#include "document/memory_text.h"
#include "search/find_state.h"

namespace pathbook::search {
namespace {

class FakeDialog : public FindDialogPort {
public:
    bool ReadTexts(FindDialogTexts& out) override {
        out = texts;
        return open;
    }
    void ReportNotFound() override { ++notFound; }
    void ReportReplaced(std::int32_t count) override { replaced.push_back(count); }
    void CloseDialog() override { open = false; }
    void ReportLocked() override { ++locked; }

    FindDialogTexts texts;
    bool open = true;
    int notFound = 0;
    int locked = 0;
    std::vector<std::int32_t> replaced;
};

class FindStateTest : public ::testing::Test {
protected:
    void SetText(std::u16string_view text) {
        test::Load(document, std::u16string(text));
    }
    void Ask(const char16_t* find, const char16_t* replace = u"", bool ignoreCase = false, bool regExp = false) {
        dialog.texts = {String(find), String(replace), ignoreCase, regExp};
        state.ReadDialog();
    }
    std::u16string Text() const { return document.CopyRange({0, 0}, {kEndOfText, kEndOfText}); }
    static std::string Describe(const Selection& s) {
        return std::to_string(s.anchor.line) + ":" + std::to_string(s.anchor.column) + "-" +
               std::to_string(s.caret.line) + ":" + std::to_string(s.caret.column);
    }

    Document document;
    FakeDialog dialog;
    FindState state{dialog};
    Selection selection;
};

TEST_F(FindStateTest, FindNextStepsThroughMatchesThenReportsNotFound) {
    SetText(u"abab\r\nxx");
    Ask(u"ab");
    state.Prepare(true);
    ASSERT_TRUE(state.FindNext(document, selection));
    EXPECT_EQ(Describe(selection), "0:0-0:2");
    ASSERT_TRUE(state.FindNext(document, selection));
    EXPECT_EQ(Describe(selection), "0:2-0:4");
    EXPECT_FALSE(state.FindNext(document, selection));
    EXPECT_EQ(dialog.notFound, 1);
    EXPECT_EQ(Describe(selection), "0:2-0:4");
}

TEST_F(FindStateTest, OverlappingMatchesStartOneUnitAfterTheSelection) {
    SetText(u"aaa");
    Ask(u"aa");
    state.Prepare(true);
    state.FindNext(document, selection);
    EXPECT_EQ(Describe(selection), "0:0-0:2");
    state.FindNext(document, selection);
    EXPECT_EQ(Describe(selection), "0:1-0:3");
}

TEST_F(FindStateTest, FindNextFromTheEndOfALineGoesOnWithTheNextLine) {
    SetText(u"ab\r\nab");
    Ask(u"b");
    state.Prepare(true);
    selection = {{1, 0}, {2, 0}};
    ASSERT_TRUE(state.FindNext(document, selection));
    EXPECT_EQ(Describe(selection), "1:1-1:2");
}

TEST_F(FindStateTest, FindPrevFindsTheMatchRightBeforeTheCaret) {
    SetText(u"xa\r\nb");
    Ask(u"a");
    state.Prepare(false);
    selection = {{2, 0}, {2, 0}};  // right behind the "a"
    ASSERT_TRUE(state.FindPrev(document, selection));
    EXPECT_EQ(Describe(selection), "0:1-0:2");
    selection = {{0, 1}, {0, 1}};  // column 0: the search starts at the end of the line before
    ASSERT_TRUE(state.FindPrev(document, selection));
    EXPECT_EQ(Describe(selection), "0:1-0:2");
    EXPECT_FALSE(state.FindPrev(document, selection));
    EXPECT_EQ(dialog.notFound, 1);
}

TEST_F(FindStateTest, FindPrevAtTheStartReportsNotFound) {
    SetText(u"aaa");
    Ask(u"a");
    state.Prepare(false);
    EXPECT_FALSE(state.FindPrev(document, selection));
    EXPECT_EQ(dialog.notFound, 1);
}

TEST_F(FindStateTest, ReplaceSelectsFirstThenReplacesTheSelectedMatch) {
    SetText(u"a1a2a3");
    Ask(u"a", u"XY");
    state.Prepare(true);
    selection = {{1, 0}, {2, 0}};  // "1" is not a match
    ASSERT_TRUE(state.Replace(document, selection));
    EXPECT_EQ(Text(), u"a1a2a3");
    EXPECT_EQ(Describe(selection), "0:2-0:3");
    ASSERT_TRUE(state.Replace(document, selection));
    EXPECT_EQ(Text(), u"a1XY2a3");
    EXPECT_EQ(Describe(selection), "0:5-0:6");
    EXPECT_FALSE(state.Replace(document, selection));
    EXPECT_EQ(Text(), u"a1XY2XY3");
    EXPECT_EQ(dialog.notFound, 1);
    EXPECT_EQ(Describe(selection), "0:7-0:7");
}

TEST_F(FindStateTest, ReplaceNeedsTheWholeSelectionToBeTheMatch) {
    SetText(u"xab");
    Ask(u"ab", u"Z");
    state.Prepare(true);
    selection = {{0, 0}, {3, 0}};  // ends where the match ends, starts before it
    ASSERT_TRUE(state.Replace(document, selection));
    EXPECT_EQ(Text(), u"xab");
    EXPECT_EQ(Describe(selection), "0:1-0:3");
}

TEST_F(FindStateTest, ReplaceAllIsOneUndoStepAndShiftsWithinALine) {
    SetText(u"aXa\r\nbab");
    Ask(u"a", u"xy");
    state.Prepare(true);
    EXPECT_EQ(state.ReplaceAll(document, selection), 3);
    EXPECT_EQ(Text(), u"xyXxy\r\nbxyb");
    EXPECT_EQ(Describe(selection), "1:3-1:3");
    EXPECT_EQ(dialog.replaced, std::vector<std::int32_t>{3});
    EXPECT_FALSE(dialog.open);
    document.Undo();
    EXPECT_EQ(Text(), u"aXa\r\nbab");
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(FindStateTest, WhileEditingIsLockedReplaceOnlyWalksTheMatches) {
    SetText(u"a1a2");
    document.SetEditLock(true);
    Ask(u"a", u"XY");
    state.Prepare(true);
    ASSERT_TRUE(state.Replace(document, selection));
    EXPECT_EQ(Describe(selection), "0:0-0:1");
    ASSERT_TRUE(state.Replace(document, selection));
    EXPECT_EQ(Describe(selection), "0:2-0:3");
    EXPECT_FALSE(state.Replace(document, selection));
    EXPECT_EQ(dialog.notFound, 1);
    EXPECT_EQ(Text(), u"a1a2");
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(FindStateTest, WhileEditingIsLockedReplaceAllChangesNothing) {
    SetText(u"a1a2");
    document.SetEditLock(true);
    Ask(u"a", u"XY");
    state.Prepare(true);
    selection = {{1, 0}, {1, 0}};
    EXPECT_EQ(state.ReplaceAll(document, selection), 0);
    EXPECT_EQ(Text(), u"a1a2");
    EXPECT_EQ(dialog.locked, 1);
    EXPECT_TRUE(dialog.replaced.empty());
    EXPECT_TRUE(dialog.open);
    EXPECT_EQ(Describe(selection), "0:1-0:1");
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(FindStateTest, ReplaceAllWithoutMatchesReportsZeroAndKeepsTheDialog) {
    SetText(u"abc");
    Ask(u"q", u"z");
    state.Prepare(true);
    EXPECT_EQ(state.ReplaceAll(document, selection), 0);
    EXPECT_EQ(dialog.replaced, std::vector<std::int32_t>{0});
    EXPECT_TRUE(dialog.open);
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(FindStateTest, ReplaceAllWithLineBreaksInTheReplacement) {
    SetText(u"a-a\r\na");
    Ask(u"a", u"1\n2");
    state.Prepare(true);
    EXPECT_EQ(state.ReplaceAll(document, selection), 3);
    EXPECT_EQ(Text(), u"1\r\n2-1\r\n2\r\n1\r\n2");
    EXPECT_EQ(Describe(selection), "4:1-4:1");
    document.Undo();
    EXPECT_EQ(Text(), u"a-a\r\na");
}

TEST_F(FindStateTest, RegexReplaceAllUsesLongestMatches) {
    SetText(u"ab12cd345");
    Ask(u"[0-9]+", u"#", false, true);
    state.Prepare(true);
    EXPECT_EQ(state.ReplaceAll(document, selection), 2);
    EXPECT_EQ(Text(), u"ab#cd#");
}

TEST_F(FindStateTest, IgnoreCaseFoldsAsciiLettersOnly) {
    SetText(u"ABC aBc \u00c9");
    Ask(u"abc", u"", true);
    state.Prepare(true);
    state.FindNext(document, selection);
    EXPECT_EQ(Describe(selection), "0:0-0:3");
    state.FindNext(document, selection);
    EXPECT_EQ(Describe(selection), "0:4-0:7");
    Ask(u"\u00e9", u"", true);
    state.Prepare(true);
    EXPECT_FALSE(state.FindNext(document, selection));
}

TEST_F(FindStateTest, SearcherIsRebuiltOnlyForChangesOrANewDirection) {
    SetText(u"one two");
    Ask(u"two");
    state.Prepare(true);
    dialog.texts.findText = String(u"one");  // typed but not read
    state.FindNext(document, selection);
    EXPECT_EQ(Describe(selection), "0:4-0:7");
    state.Prepare(false);
    EXPECT_FALSE(state.Forward());
    EXPECT_EQ(state.FindText(), String(u"two"));
}

TEST_F(FindStateTest, EmptySearchTextFindsNothing) {
    SetText(u"abc");
    Ask(u"b");
    state.Prepare(true);
    EXPECT_TRUE(state.HasSearcher());
    Ask(u"");
    state.Prepare(true);
    EXPECT_FALSE(state.HasSearcher());
    EXPECT_FALSE(state.FindNext(document, selection));
    EXPECT_EQ(dialog.notFound, 0);
}

TEST_F(FindStateTest, StoredOptionsRebuildTheSearcher) {
    SetText(u"Abc abc");
    Ask(u"abc", u"", true);
    state.Prepare(true);
    state.SetOptions(FindOptions{false, false});
    state.Prepare(true);
    EXPECT_TRUE(state.FindNext(document, selection));
    EXPECT_EQ(selection.Start().column, 4);
    EXPECT_FALSE(state.Options().ignoreCase);
}

TEST_F(FindStateTest, ProposedTextIsTheSelectionsFirstLine) {
    EXPECT_EQ(state.ProposedFindText(String(u"one\r\ntwo")), String(u"one"));
    Ask(u"n");
    state.Prepare(true);
    EXPECT_EQ(state.ProposedFindText(String(u"one\r\ntwo")), String(u"n"));
    EXPECT_EQ(state.ProposedFindText(String(u"xyz")), String(u"xyz"));
}

}  // namespace
}  // namespace pathbook::search
