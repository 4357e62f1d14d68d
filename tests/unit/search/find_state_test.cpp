// The find commands over a document: where each search starts, what gets
// selected, the replace rules and Replace All as one undo step.
#include <gtest/gtest.h>

#include <string>

#include "document/document.h"
#include "document/memory_text.h"
#include "search/find_state.h"
#include "search_test_support.h"

namespace pathbook::search {
namespace {

using test::FakeDialog;

class FindStateTest : public ::testing::Test {
protected:
    // Loads `text`, reads the dialog's texts and prepares a search in `forward`.
    void Start(std::u16string_view text, const char16_t* find, const char16_t* replace = u"", bool forward = true,
               bool ignoreCase = false, bool regExp = false) {
        pathbook::test::Load(document, std::u16string(text));
        Ask(find, replace, ignoreCase, regExp);
        state.Prepare(forward);
    }
    void Ask(const char16_t* find, const char16_t* replace = u"", bool ignoreCase = false, bool regExp = false) {
        dialog.texts = {String(find), String(replace), ignoreCase, regExp};
        state.ReadDialog();
    }
    // The selection after the command, "anchor-caret", after "not found, " when it failed.
    std::string Next() { return Outcome(state.FindNext(document, selection)); }
    std::string Prev() { return Outcome(state.FindPrev(document, selection)); }
    std::string Replace() { return Outcome(state.Replace(document, selection)); }
    std::string Outcome(bool found) const {
        const Selection& s = selection;
        return (found ? "" : "not found, ") + std::to_string(s.anchor.line) + ":" + std::to_string(s.anchor.column) +
               "-" + std::to_string(s.caret.line) + ":" + std::to_string(s.caret.column);
    }
    std::u16string Text() const { return document.CopyRange({0, 0}, {kEndOfText, kEndOfText}); }

    Document document;
    FakeDialog dialog;
    FindState state{dialog};
    Selection selection;
};

TEST_F(FindStateTest, FindNextStepsThroughMatchesThenReportsNotFound) {
    Start(u"abab\r\nxx", u"ab");
    EXPECT_EQ(Next(), "0:0-0:2");
    EXPECT_EQ(Next(), "0:2-0:4");
    EXPECT_EQ(Next(), "not found, 0:2-0:4");
    EXPECT_EQ(dialog.notFound, 1);
}

TEST_F(FindStateTest, OverlappingMatchesStartOneUnitAfterTheSelection) {
    Start(u"aaa", u"aa");
    EXPECT_EQ(Next(), "0:0-0:2");
    EXPECT_EQ(Next(), "0:1-0:3");
}

TEST_F(FindStateTest, FindNextFromTheEndOfALineGoesOnWithTheNextLine) {
    Start(u"ab\r\nab", u"b");
    selection = {{1, 0}, {2, 0}};
    EXPECT_EQ(Next(), "1:1-1:2");
}

TEST_F(FindStateTest, FindPrevFindsTheMatchRightBeforeTheCaret) {
    Start(u"xa\r\nb", u"a", u"", false);
    selection = {{2, 0}, {2, 0}};  // right behind the "a"
    EXPECT_EQ(Prev(), "0:1-0:2");
    selection = {{0, 1}, {0, 1}};  // column 0: the search starts at the end of the line before
    EXPECT_EQ(Prev(), "0:1-0:2");
    EXPECT_EQ(Prev(), "not found, 0:1-0:2");
    selection = {{0, 0}, {0, 0}};  // the start of the text has no line before
    EXPECT_EQ(Prev(), "not found, 0:0-0:0");
    EXPECT_EQ(dialog.notFound, 2);
}

TEST_F(FindStateTest, ReplaceSelectsFirstThenReplacesTheSelectedMatch) {
    Start(u"a1a2a3", u"a", u"XY");
    selection = {{1, 0}, {2, 0}};  // "1" is not a match
    EXPECT_EQ(Replace(), "0:2-0:3");
    EXPECT_EQ(Text(), u"a1a2a3");
    EXPECT_EQ(Replace(), "0:5-0:6");
    EXPECT_EQ(Text(), u"a1XY2a3");
    EXPECT_EQ(Replace(), "not found, 0:7-0:7");
    EXPECT_EQ(Text(), u"a1XY2XY3");
    EXPECT_EQ(dialog.notFound, 1);
}

TEST_F(FindStateTest, ReplaceNeedsTheWholeSelectionToBeTheMatch) {
    Start(u"xab", u"ab", u"Z");
    selection = {{0, 0}, {3, 0}};  // ends where the match ends, starts before it
    EXPECT_EQ(Replace(), "0:1-0:3");
    EXPECT_EQ(Text(), u"xab");
}

TEST_F(FindStateTest, ReplaceAllIsOneUndoStepAndShiftsWithinALine) {
    Start(u"aXa\r\nbab", u"a", u"xy");
    EXPECT_EQ(state.ReplaceAll(document, selection), 3);
    EXPECT_EQ(Text(), u"xyXxy\r\nbxyb");
    EXPECT_EQ(Outcome(true), "1:3-1:3");
    EXPECT_EQ(dialog.replaced, std::vector<std::int32_t>{3});
    EXPECT_FALSE(dialog.open);
    document.Undo();
    EXPECT_EQ(Text(), u"aXa\r\nbab");
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(FindStateTest, WhileEditingIsLockedReplaceOnlyWalksTheMatches) {
    Start(u"a1a2", u"a", u"XY");
    document.SetEditLock(true);
    EXPECT_EQ(Replace(), "0:0-0:1");
    EXPECT_EQ(Replace(), "0:2-0:3");
    EXPECT_EQ(Replace(), "not found, 0:2-0:3");
    EXPECT_EQ(dialog.notFound, 1);
    selection = {{1, 0}, {1, 0}};
    EXPECT_EQ(state.ReplaceAll(document, selection), 0);  // changes nothing and keeps the dialog
    EXPECT_EQ(dialog.locked, 1);
    EXPECT_TRUE(dialog.replaced.empty());
    EXPECT_TRUE(dialog.open);
    EXPECT_EQ(Outcome(true), "0:1-0:1");
    EXPECT_EQ(Text(), u"a1a2");
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(FindStateTest, ReplaceAllWithoutMatchesReportsZeroAndKeepsTheDialog) {
    Start(u"abc", u"q", u"z");
    EXPECT_EQ(state.ReplaceAll(document, selection), 0);
    EXPECT_EQ(dialog.replaced, std::vector<std::int32_t>{0});
    EXPECT_TRUE(dialog.open);
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(FindStateTest, ReplaceAllWithLineBreaksInTheReplacement) {
    Start(u"a-a\r\na", u"a", u"1\n2");
    EXPECT_EQ(state.ReplaceAll(document, selection), 3);
    EXPECT_EQ(Text(), u"1\r\n2-1\r\n2\r\n1\r\n2");
    EXPECT_EQ(Outcome(true), "4:1-4:1");
    document.Undo();
    EXPECT_EQ(Text(), u"a-a\r\na");
}

TEST_F(FindStateTest, RegexReplaceAllUsesLongestMatches) {
    Start(u"ab12cd345", u"[0-9]+", u"#", true, false, true);
    EXPECT_EQ(state.ReplaceAll(document, selection), 2);
    EXPECT_EQ(Text(), u"ab#cd#");
}

TEST_F(FindStateTest, IgnoreCaseFoldsAsciiLettersOnly) {
    Start(u"ABC aBc \u00c9", u"abc", u"", true, true);
    EXPECT_EQ(Next(), "0:0-0:3");
    EXPECT_EQ(Next(), "0:4-0:7");
    Ask(u"\u00e9", u"", true);
    state.Prepare(true);
    EXPECT_FALSE(state.FindNext(document, selection));
}

TEST_F(FindStateTest, SearcherIsRebuiltOnlyForChangesOrANewDirection) {
    Start(u"one two", u"two");
    dialog.texts.findText = String(u"one");  // typed but not read
    EXPECT_EQ(Next(), "0:4-0:7");
    state.Prepare(false);
    EXPECT_FALSE(state.Forward());
    EXPECT_EQ(state.FindText(), String(u"two"));
}

TEST_F(FindStateTest, EmptySearchTextFindsNothing) {
    Start(u"abc", u"b");
    EXPECT_TRUE(state.HasSearcher());
    Ask(u"");
    state.Prepare(true);
    EXPECT_FALSE(state.HasSearcher());
    EXPECT_FALSE(state.FindNext(document, selection));
    EXPECT_EQ(dialog.notFound, 0);
}

TEST_F(FindStateTest, StoredOptionsRebuildTheSearcher) {
    Start(u"Abc abc", u"abc", u"", true, true);
    state.SetOptions(FindOptions{false, false});
    state.Prepare(true);
    EXPECT_EQ(Next(), "0:4-0:7");
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
