// The window scans against a window-by-window loop, on spans shorter than,
// equal to and longer than one vector step, at every alignment; texts sit in
// blocks of exactly their size so that the sanitizers catch a read past them;
// the unit filters built on them; the rarity order the searchers rely on.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "search/unit_filter.h"
#include "runtime/unit_scan.h"

namespace pathbook::search {
namespace {

// The first window from the `forward` end of first..last whose two probes match, or -1.
std::int32_t ReferenceScan(const std::u16string& text, std::int32_t first, std::int32_t last, OffsetProbe one,
                           OffsetProbe two, bool forward) {
    for (std::int32_t n = 0; n <= last - first; ++n) {
        std::int32_t w = forward ? first + n : last - n;
        if (one.probe.Matches(text[static_cast<std::size_t>(w + one.offset)]) &&
            two.probe.Matches(text[static_cast<std::size_t>(w + two.offset)])) {
            return w;
        }
    }
    return -1;
}

// A copy in a block of exactly its size.
std::unique_ptr<char16_t[]> ExactCopy(const std::u16string& text) {
    std::unique_ptr<char16_t[]> copy(new char16_t[text.size() + (text.empty() ? 1 : 0)]);
    std::copy(text.begin(), text.end(), copy.get());
    return copy;
}

TEST(UnitScan, ProbesFoldAsciiLettersOnly) {
    // The unit, whether to fold, and the probe's two units.
    const std::tuple<char16_t, bool, char16_t, char16_t> cases[] = {
        {u'a', true, u'a', u'A'},     {u'Z', true, u'Z', u'z'},         {u'a', false, u'a', u'a'},
        {u'@', true, u'@', u'@'},     {u'[', true, u'[', u'['},         {u'`', true, u'`', u'`'},
        {u'{', true, u'{', u'{'},     {0x00E9, true, 0x00E9, 0x00E9},   {0xFF41, true, 0xFF41, 0xFF41},
    };
    for (const auto& [unit, foldAscii, a, b] : cases) {
        UnitProbe probe = ProbeFor(unit, foldAscii);
        EXPECT_EQ(probe.a, a) << static_cast<int>(unit);
        EXPECT_EQ(probe.b, b) << static_cast<int>(unit);
    }
}

TEST(UnitScan, FindsUnitsAtEveryPositionOfShortAndLongSpans) {
    // Units whose 16-bit patterns look negative to signed lane compares, and surrogates.
    const char16_t targets[] = {u'x', 0x8000, 0xFFFF, 0xD83D, 0xDE00};
    for (char16_t target : targets) {
        for (std::int32_t length = 1; length <= 40; ++length) {
            for (std::int32_t at = 0; at < length; ++at) {
                std::u16string text(static_cast<std::size_t>(length), u'.');
                text[static_cast<std::size_t>(at)] = target;
                auto copy = ExactCopy(text);
                UnitProbe probe{target, target};
                ASSERT_EQ(FindUnitForward(copy.get(), 0, length - 1, probe), at) << length;
                ASSERT_EQ(FindWindowBackward(copy.get(), 0, length - 1, {probe, 0}, {probe, 0}), at) << length;
                ASSERT_EQ(FindUnitForward(copy.get(), at + 1, length - 1, probe), -1) << length;
                ASSERT_EQ(FindWindowBackward(copy.get(), 0, at - 1, {probe, 0}, {probe, 0}), -1) << length;
            }
        }
    }
}

TEST(UnitScan, EmptyRangesFindNothing) {
    const char16_t text[] = u"aaaa";
    UnitProbe probe{u'a', u'a'};
    EXPECT_EQ(FindUnitForward(text, 2, 1, probe), -1);
    EXPECT_EQ(FindWindowBackward(text, 3, 2, {probe, 0}, {probe, 0}), -1);
}

TEST(UnitScan, AgreesWithWindowByWindowScan) {
    std::mt19937 random(11);
    const std::u16string alphabet = u"abAB\xD800\xDC00";
    for (int round = 0; round < 4000; ++round) {
        std::u16string text(1 + random() % 48, u' ');
        for (char16_t& unit : text) unit = alphabet[random() % alphabet.size()];
        auto length = static_cast<std::int32_t>(text.size());
        bool fold = random() % 2 == 0;
        OffsetProbe one{ProbeFor(alphabet[random() % alphabet.size()], fold),
                        static_cast<std::int32_t>(random() % static_cast<unsigned>(length))};
        OffsetProbe two{ProbeFor(alphabet[random() % alphabet.size()], fold),
                        static_cast<std::int32_t>(random() % static_cast<unsigned>(length))};
        std::int32_t span = length - std::max(one.offset, two.offset);  // windows that fit
        auto first = static_cast<std::int32_t>(random() % static_cast<unsigned>(span));
        auto last = first + static_cast<std::int32_t>(random() % static_cast<unsigned>(span - first));
        auto copy = ExactCopy(text);
        ASSERT_EQ(FindWindowForward(copy.get(), first, last, one, two),
                  ReferenceScan(text, first, last, one, two, true));
        ASSERT_EQ(FindWindowBackward(copy.get(), first, last, one, two),
                  ReferenceScan(text, first, last, one, two, false));
    }
}

UnitSet SetOf(std::initializer_list<UnitRange> ranges) {
    UnitSet set;
    for (UnitRange range : ranges) set.AddRange(range);
    return set;
}

// Sets of one and two units take the vector scan, larger ones the unit-by-unit
// test; all find the same positions.
TEST(UnitFilter, FindsTheNextUnitOfTheSetInBothDirections) {
    const std::u16string text = u"..c..C.....r........Z9.....c\xFFFF";  // 29 units
    auto copy = ExactCopy(text);
    // The set, the range first..last, and what each direction finds in it.
    const std::tuple<UnitSet, std::int32_t, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {SetOf({{u'c', u'c'}}), 0, 28, 2, 27}, {SetOf({{0xFFFF, 0xFFFF}}), 0, 28, 28, 28},
        {SetOf({{u'r', u'r'}, {0xFFFF, 0xFFFF}}), 12, 28, 28, 28}, {SetOf({{u'c', u'c'}}), 3, 26, -1, -1},
        {SetOf({{u'C', u'C'}, {u'c', u'c'}}), 3, 26, 5, 5}, {SetOf({{u'0', u'9'}, {u'Z', u'Z'}}), 0, 27, 20, 21},
        {SetOf({{u'0', u'9'}, {u'Z', u'Z'}}), 22, 27, -1, -1}, {SetOf({{u'r', u'r'}}), 11, 11, 11, 11},
        {SetOf({{u'r', u'r'}}), 12, 11, -1, -1},
    };
    for (const auto& [set, first, last, forward, backward] : cases) {
        UnitFilter filter(set);
        EXPECT_EQ(filter.NextForward(copy.get(), first, last), forward) << first << ".." << last;
        EXPECT_EQ(filter.NextBackward(copy.get(), first, last), backward) << first << ".." << last;
    }
}

// For "colo" the filter tests its two rarest units, "c" at offset 0 and "l" at 2.
TEST(UnitFilter, WithAPrefixFindsWindowsWhereTwoOfItsUnitsSitInPlace) {
    const std::u16string text = u"cola coma ccolo col";  // 19 units
    auto copy = ExactCopy(text);
    std::vector<UnitProbe> prefix{{u'c', u'c'}, {u'o', u'o'}, {u'l', u'l'}, {u'o', u'o'}};
    UnitFilter filter(SetOf({{u'c', u'c'}}), prefix);
    EXPECT_EQ(filter.NextForward(copy.get(), 0, 18), 0);
    EXPECT_EQ(filter.NextForward(copy.get(), 1, 18), 11);
    EXPECT_EQ(filter.NextForward(copy.get(), 12, 18), 16);
    EXPECT_EQ(filter.NextForward(copy.get(), 12, 17), -1);  // the "l" of the window at 16 lies behind 17
    EXPECT_EQ(filter.NextBackward(copy.get(), 0, 18), 16);
    EXPECT_EQ(filter.NextBackward(copy.get(), 0, 17), 11);
    EXPECT_EQ(filter.NextBackward(copy.get(), 0, 12), 0);
}

}  // namespace
}  // namespace pathbook::search
