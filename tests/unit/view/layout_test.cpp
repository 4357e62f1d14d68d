// Measuring, tab stops, breaking lines into rows, the margin and the wrap
// width, and keeping the rows in step with edits.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "view/line_measure.h"
#include "view_fixture.h"

namespace pathbook {
namespace {

using test::FakeMeasurer;
using test::ViewFixture;
using Ends = std::vector<UnitCount>;

TEST(MetricsTest, TabStopsLieMoreThanFourPixelsAhead) {
    FakeMeasurer measurer(8);
    Metrics metrics(measurer, 4);
    EXPECT_EQ(metrics.TabWidth(), 32);
    EXPECT_EQ(metrics.TabEnd(0), 32);
    EXPECT_EQ(metrics.TabEnd(27), 32);
    EXPECT_EQ(metrics.TabEnd(28), 64);
    EXPECT_EQ(metrics.TabEnd(Pixels{1} << 40), (Pixels{1} << 40) + 32);
}

TEST(MetricsTest, DivisorsAreAtLeastOneWhateverTheFontSays) {
    FakeMeasurer measurer(0, 0);
    Metrics metrics(measurer, -3);
    EXPECT_EQ(metrics.LineHeight(), 1);
    EXPECT_EQ(metrics.XWidth(), 1);
    EXPECT_EQ(metrics.TabWidth(), 1);
    EXPECT_EQ(metrics.DigitWidth(), 1);
    EXPECT_GT(metrics.TabEnd(0), 0);
}

TEST(MetricsTest, SurrogatePairsMeasureOnceAndOnlyWithALowSurrogate) {
    FakeMeasurer measurer(8);
    measurer.SetPairWidth(20);
    measurer.SetWidth(0xD83D, 5);
    Metrics metrics(measurer, 4);
    const std::u16string pair = u"\xD83D\xDE00\xD83D\xDE00";
    EXPECT_EQ(RowWidth(metrics, pair.data(), 4, 0, 4), 40);
    EXPECT_EQ(measurer.pairQuestions, 1);
    // A high surrogate before the line's end (the sentinel) or before another
    // unit is measured alone.
    const std::u16string lone = u"\xD83D" u"a\xD83D";
    EXPECT_EQ(RowWidth(metrics, lone.data(), 3, 0, 3), 5 + 8 + 5);
    EXPECT_EQ(measurer.pairQuestions, 1);
    // A lone low surrogate has a width of its own.
    const std::u16string low = u"a\xDE00";
    EXPECT_EQ(RowWidth(metrics, low.data(), 2, 0, 2), 16);
}

TEST(MetricsTest, EachUnitIsMeasuredOnce) {
    FakeMeasurer measurer(8);
    Metrics metrics(measurer, 4);
    const int before = measurer.unitQuestions;
    const std::u16string text = u"\u00e9\u00e9\u4e00\u4e00\u00e9";
    EXPECT_EQ(RowWidth(metrics, text.data(), 5, 0, 5), 40);
    EXPECT_EQ(measurer.unitQuestions - before, 2);
}

// Shared metrics answer from what they have measured and tell of what they
// had not; once no longer shared they measure it as before.
TEST(MetricsTest, SharedMetricsMeasureNothingAndTellOfUnknownWidths) {
    FakeMeasurer measurer(8);
    measurer.SetWidth(0x4E00, 16);
    measurer.SetPairWidth(20);
    Metrics metrics(measurer, 4);
    const std::u16string known = u"ab\t";
    const std::u16string unknown[] = {u"\u4E00", u"\xD83D\xDE00", u"\xD83D"};
    for (const std::u16string& text : unknown) {
        const auto length = static_cast<UnitCount>(text.size());
        metrics.BeginShared();
        EXPECT_EQ(RowWidth(metrics, known.data(), 3, 0, 3), 32);
        EXPECT_TRUE(metrics.EndShared()) << "tabs and units measured before are known";
        const int questions = measurer.unitQuestions + measurer.pairQuestions;
        metrics.BeginShared();
        EXPECT_EQ(RowWidth(metrics, text.data(), length, 0, length), 0);
        EXPECT_FALSE(metrics.EndShared());
        EXPECT_EQ(measurer.unitQuestions + measurer.pairQuestions, questions) << "nothing measured while shared";
        EXPECT_GT(RowWidth(metrics, text.data(), length, 0, length), 0);
        metrics.BeginShared();
        EXPECT_GT(RowWidth(metrics, text.data(), length, 0, length), 0);
        EXPECT_TRUE(metrics.EndShared());
    }
}

// Where a line breaks for a wrap width in letters of 8 pixels, "W" and pairs
// measured as each row says (0: as they are).
TEST(LayoutTest, ARowEndsBeforeTheUnitThatWouldPassTheWrapWidth) {
    const std::u16string pairLine = u"ab\xD83D\xDE00" u"c";
    const struct {
        const char* what;
        std::u16string text;
        std::int32_t wrap, wWidth, pairWidth;
        Ends ends;
    } cases[] = {
        {"a W of 16 at offset 9 would end at 88: it starts the second row",
         std::u16string(9, u'a') + u"W" + std::u16string(20, u'a'), 10, 16, 0, {9, 18, 28, 30}},
        {"a unit wider than the wrap width forms a row of its own", u"aWa", 2, 100, 0, {1, 2, 3}},
        {"an empty line is one empty row", u"", 2, 0, 0, {0}},
        {"tabs of 32 pixels break where they reach their stop: a-tab-b is 40 wide", u"a\tb\tc", 5, 0, 0, {3, 5}},
        {"a pair stays in one row", pairLine, 3, 0, 8, {4, 5}},
        {"unless wider than the row", pairLine, 3, 0, 30, {2, 3, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ViewFixture view(c.text);
        if (c.wWidth > 0) view.measurer.SetWidth(u'W', c.wWidth);
        if (c.pairWidth > 0) view.measurer.SetPairWidth(c.pairWidth);
        Metrics metrics(view.measurer, 4);
        view.layout.Configure(metrics, LayoutOptions{c.wrap, false});
        EXPECT_EQ(view.Ends(0), c.ends);
    }
    ViewFixture view(std::u16string(30, u'a'));  // ten letters a row
    view.layout.SetOptions(LayoutOptions{10, false});
    EXPECT_EQ(view.layout.WrapWidth(), 80);
    EXPECT_EQ(view.Ends(0), (Ends{10, 20, 30}));
    EXPECT_EQ(view.layout.Rows().TotalRows(), 3u);
    EXPECT_EQ(view.layout.MaxWidth(), 80);
    EXPECT_EQ(ViewFixture(u"a\tb\tc").layout.Rows().Width(0), 72);
}

TEST(LayoutTest, WindowEdgeWrapFollowsTheClientWidthAndMargin) {
    ViewFixture view(std::u16string(100, u'a'));
    view.layout.SetOptions(LayoutOptions{kWrapAtWindowEdge, false});
    EXPECT_EQ(view.layout.WrapWidth(), kNoWrapWidth);  // no size yet
    view.layout.Resize(83, 100);
    EXPECT_EQ(view.layout.WrapWidth(), 80);
    EXPECT_EQ(view.layout.Rows().RowCount(0), 10u);
    view.layout.SetOptions(LayoutOptions{kWrapAtWindowEdge, true});
    EXPECT_EQ(view.layout.TextLeft(), 32);
    EXPECT_EQ(view.layout.WrapWidth(), 48);
}

TEST(LayoutTest, MarginGrowsWithTheDigitsOfTheLineCount) {
    ViewFixture view(std::u16string(998, u'\n'));
    view.layout.Resize(400, 100);
    view.layout.SetOptions(LayoutOptions{kWrapAtWindowEdge, true});
    EXPECT_EQ(view.layout.Digits(), 3);
    EXPECT_EQ(view.layout.TextLeft(), 32);
    EXPECT_EQ(view.layout.WrapWidth(), 400 - 32 - 3);
    view.Insert(DocPos::At(0, 0), u"\n");
    EXPECT_EQ(view.document.LineCount(), 1000u);
    EXPECT_EQ(view.layout.Digits(), 4);
    EXPECT_EQ(view.layout.TextLeft(), 40);
    EXPECT_EQ(view.layout.WrapWidth(), 400 - 40 - 3);
    EXPECT_TRUE(view.follower.last.marginChanged);
    // A window narrower than the margin plus one "x" shows none.
    view.layout.Resize(48, 100);
    EXPECT_EQ(view.layout.TextLeft(), 0);
}

TEST(LayoutTest, DeletingTheWidestLineShrinksTheExtent) {
    ViewFixture view(u"aaaa\naaaaaaaaaa\naaaaaa");
    EXPECT_EQ(view.layout.MaxWidth(), 80);
    view.Delete(DocPos::At(1, 0), DocPos::At(1, kEndOfText));
    EXPECT_EQ(view.layout.MaxWidth(), 48);
    view.Insert(DocPos::At(0, 0), u"aaaaaaaaaaaa");
    EXPECT_EQ(view.layout.MaxWidth(), 128);
}

TEST(LayoutTest, AnEditInsideAWrappedLineKeepsTheRowsBeforeIt) {
    ViewFixture view(std::u16string(50, u'a'));
    view.layout.SetOptions(LayoutOptions{10, false});
    view.Insert(DocPos::At(0, 25), u"\tbb");
    EXPECT_EQ(view.Ends(0), (Ends{10, 20, 28, 38, 48, 53}));
    view.Delete(DocPos::At(0, 20), DocPos::At(0, 25));
    EXPECT_EQ(view.Ends(0), (Ends{10, 20, 27, 37, 47, 48}));
}

// A pair too wide for the first row starts the second; split, its high half
// alone is narrow enough to end the first row, and joined again it goes back.
TEST(LayoutTest, AnEditThatSplitsOrJoinsAPairBreaksTheRowBeforeIt) {
    ViewFixture view;
    view.measurer.SetPairWidth(20);
    view.measurer.SetWidth(0xD83D, 5);
    view.layout.SetOptions(LayoutOptions{10, false});
    view.Insert(DocPos::At(0, 0), u"aaaaaaaaa\xD83D\xDE00");
    EXPECT_EQ(view.Ends(0), (Ends{9, 11}));
    view.Insert(DocPos::At(0, 10), u"b");
    EXPECT_EQ(view.Ends(0), (Ends{10, 12}));
    view.Delete(DocPos::At(0, 10), DocPos::At(0, 11));
    EXPECT_EQ(view.Ends(0), (Ends{9, 11}));
}

TEST(LayoutTest, AReplaceAllGroupReachesTheLayoutOnce) {
    ViewFixture view(u"cat dog cat\ncat");
    const int before = view.follower.updates;
    CommandGroup group;
    group.Add(std::make_unique<ReplaceCommand>(DocPos::At(0, 0), DocPos::At(0, 3), u"lion\nx"));
    group.Add(std::make_unique<ReplaceCommand>(DocPos::At(1, 6), DocPos::At(1, 9), u"lion"));
    group.Add(std::make_unique<ReplaceCommand>(DocPos::At(2, 0), DocPos::At(2, 3), u""));
    view.document.Execute(group);
    EXPECT_EQ(view.follower.updates, before + 1);
    EXPECT_EQ(view.document.CopyRange(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText)), u"lion\r\nx dog lion\r\n");
    EXPECT_EQ(view.Ends(1), (Ends{10}));
    EXPECT_EQ(view.Ends(2), (Ends{0}));
    EXPECT_EQ(view.layout.MaxWidth(), 80);
    view.document.Undo();
    EXPECT_EQ(view.follower.updates, before + 2);
    EXPECT_EQ(view.Ends(0), (Ends{11}));
    EXPECT_EQ(view.Ends(1), (Ends{3}));
}

// Breaking and measuring unit by unit, as the rules say, for comparison.
Ends ReferenceRows(const Metrics& metrics, const std::u16string& text, Pixels wrapWidth) {
    const auto length = static_cast<UnitCount>(text.size());
    Ends ends;
    for (UnitCount i = 0; i < length;) {
        Pixels x = metrics.Advance(text.data(), i++, length, 0);
        for (; i < length && metrics.Advance(text.data(), i, length, x) <= wrapWidth; ++i) {
            x = metrics.Advance(text.data(), i, length, x);
        }
        ends.push_back(i);
    }
    return ends;
}

Pixels ReferenceWidth(const Metrics& metrics, const std::u16string& text) {
    const auto length = static_cast<UnitCount>(text.size());
    Pixels x = 0;
    for (UnitCount i = 0; i < length; ++i) x = metrics.Advance(text.data(), i, length, x);
    return x;
}

// The block and fixed-pitch shortcuts of breaking and measuring agree with
// the unit-by-unit rules, for a fixed-pitch font and a proportional one, over
// random lines of ASCII, wide units, tabs, pairs and lone surrogates.
TEST(LayoutTest, LineBreakingShortcutsMatchUnitByUnit) {
    const char16_t alphabet[] = {u'a', u'b', u' ', u'W', u'\t', 0x3042, 0x4E9C, 0xD83D, 0xDE00, 0x0301, u'~'};
    std::mt19937 random(5);
    for (bool fixedPitch : {true, false}) {
        FakeMeasurer measurer;
        measurer.SetWidth(0x3042, 16);
        measurer.SetWidth(0x4E9C, 16);
        measurer.SetWidth(0x0301, 0);
        if (!fixedPitch) measurer.SetWidth(u'W', 13);
        Metrics metrics(measurer, 4);
        EXPECT_EQ(metrics.AsciiPitch(), fixedPitch ? 8 : 0);
        for (int round = 0; round < 400; ++round) {
            std::u16string text;
            const std::size_t length = random() % 90;
            const bool asciiRun = round % 3 == 0;
            while (text.size() < length) text += asciiRun && random() % 8 != 0 ? u'a' : alphabet[random() % 11];
            const auto units = static_cast<UnitCount>(text.size());
            EXPECT_EQ(RowWidth(metrics, text.data(), units, 0, units), ReferenceWidth(metrics, text)) << round;
            for (Pixels wrap : {1, 7, 8, 9, 40, 61, 200}) {
                Ends broken;
                BreakRows(metrics, text.data(), units, 0, wrap, broken);
                EXPECT_EQ(broken, ReferenceRows(metrics, text, wrap)) << round << " " << wrap;
                Ends measured;
                EXPECT_EQ(MeasureAndBreak(metrics, text.data(), units, wrap, measured), ReferenceWidth(metrics, text));
                EXPECT_EQ(measured, broken);
            }
        }
    }
}

// Resizing a window that wraps at its edge breaks each line of a large text
// (enough for the re-wrap to run on two threads) as breaking it alone, unit by
// unit, would: lines of English, Japanese, tabs and pairs mixed word by word,
// for a fixed-pitch font and a proportional one.
TEST(LayoutTest, ResizingBreaksEachLineOfALargeMixedTextAsAlone) {
    const std::u16string words[] = {u"meeting", u"notes",         u"2024-05-17",     u"\u4F1A\u8B70",
                                    u"\t",      u"\xD83D\xDE00", u"\u78BA\u8A8D\u3057", u"Wiki"};
    std::mt19937 random(11);
    std::u16string text;
    for (LineIndex i = 0; i <= RowTable::kLinesForTwoThreads; ++i) {
        const std::size_t length = random() % 100;
        std::u16string line;
        while (line.size() < length) line += words[random() % 8] + u" ";
        text += line + u"\n";
    }
    ViewFixture view;
    view.measurer.SetWideWidth(16);
    view.Insert(DocPos::At(0, 0), text);
    for (bool fixedPitch : {true, false}) {
        if (!fixedPitch) view.measurer.SetWidth(u'W', 13);
        Metrics metrics(view.measurer, 4);
        view.layout.Configure(metrics, LayoutOptions{kWrapAtWindowEdge, false});
        for (std::int32_t width : {123, 480}) {
            ASSERT_TRUE(view.layout.Resize(width, 100));
            for (LineIndex line = 0; line < view.document.LineCount(); ++line) {
                const std::u16string units(view.document.LineText(line), view.document.LineLength(line));
                const Ends alone = units.empty() ? Ends{0} : ReferenceRows(metrics, units, view.layout.WrapWidth());
                ASSERT_EQ(view.Ends(line), alone) << fixedPitch << " width " << width << " line " << line;
            }
        }
    }
}

}  // namespace
}  // namespace pathbook
