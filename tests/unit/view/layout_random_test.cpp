// Random edits, each followed by the layout, against a fresh layout of the same
// text, in all three wrap modes.
#include <gtest/gtest.h>

#include <random>

#include "view_fixture.h"

namespace pathbook {
namespace {

using test::ViewFixture;

std::u16string RandomText(std::mt19937& random, std::size_t length) {
    static const char16_t kUnits[] = {u'a', u'b', u'W', u' ', u'\t', u'\n', u'\n', u'\r', 0x4E00, 0xD83D, 0xDE00, 1};
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) text += kUnits[random() % (sizeof kUnits / sizeof kUnits[0])];
    return text;
}

DocPos RandomPos(std::mt19937& random, const Document& document) {
    LineIndex line = static_cast<LineIndex>(random() % document.LineCount());
    return DocPos::At(line, static_cast<Column>(random() % (document.LineLength(line) + 1)));
}

void ExpectSameAsFresh(const ViewFixture& view, std::int32_t wrap, int step) {
    ASSERT_TRUE(view.layout.Rows().CheckInvariants()) << step;
    Layout fresh(view.document, view.layout.Measures());
    fresh.Resize(view.layout.ClientWidth(), view.layout.ClientHeight());
    fresh.SetOptions(LayoutOptions{wrap, true});
    const RowTable& a = view.layout.Rows();
    const RowTable& b = fresh.Rows();
    ASSERT_EQ(a.LineCount(), b.LineCount()) << step;
    ASSERT_EQ(a.TotalRows(), b.TotalRows()) << step;
    for (LineIndex line = 0; line < a.LineCount(); ++line) {
        ASSERT_EQ(a.Width(line), b.Width(line)) << step << " line " << line;
        ASSERT_EQ(a.RowCount(line), b.RowCount(line)) << step << " line " << line;
        for (UnitCount row = 0; row < a.RowCount(line); ++row) {
            ASSERT_EQ(view.layout.Span(line, row).end, fresh.Span(line, row).end) << step << " line " << line;
        }
    }
    ASSERT_EQ(view.layout.MaxWidth(), fresh.MaxWidth()) << step;
    ASSERT_EQ(view.layout.TextLeft(), fresh.TextLeft()) << step;
}

class LayoutRandomTest : public testing::TestWithParam<std::int32_t> {};

TEST_P(LayoutRandomTest, IncrementalLayoutEqualsAFreshOne) {
    const std::int32_t wrap = GetParam();
    std::mt19937 random(static_cast<unsigned>(wrap + 100));
    ViewFixture view;
    view.measurer.SetWidth(u'W', 21);
    view.measurer.SetWidth(0x4E00, 16);
    Metrics metrics(view.measurer, 3);
    view.layout.Resize(130, 100);
    view.layout.Configure(metrics, LayoutOptions{wrap, true});
    view.Insert(DocPos::At(0, 0), RandomText(random, 300));
    for (int step = 0; step < 1500; ++step) {
        DocPos from = RandomPos(random, view.document);
        switch (random() % 4) {
            case 0: view.Insert(from, RandomText(random, random() % 12)); break;
            case 1: view.Delete(from, RandomPos(random, view.document)); break;
            case 2: {
                CommandGroup group;
                for (int k = 0; k < 3; ++k) {
                    DocPos at = RandomPos(random, view.document);
                    group.Add(std::make_unique<InsertCommand>(at, RandomText(random, 3)));
                }
                view.document.Execute(group);
                break;
            }
            default:
                if (view.document.CanUndo() && random() % 2 == 0) {
                    view.document.Undo();
                } else {
                    view.document.Redo();
                }
        }
        if (step % 200 == 0) view.Insert(from, std::u16string(1000, u'\n'));
        ExpectSameAsFresh(view, wrap, step);
    }
}

INSTANTIATE_TEST_SUITE_P(WrapModes, LayoutRandomTest, testing::Values(kNoWrap, kWrapAtWindowEdge, 7));

}  // namespace
}  // namespace pathbook
