// What the jump dialog accepts as a line number, and where it leads.
#include "app/line_number.h"

#include <gtest/gtest.h>

#include "runtime/utf8.h"

namespace pathbook {
namespace {

constexpr std::int32_t kMost = 2147483647;

// Digits with blanks around are a line number, huge ones saturating instead
// of wrapping; anything else is none.
TEST(LineNumberTest, DigitsWithBlanksAroundAreALineNumber) {
    const std::pair<std::u16string, std::optional<std::int32_t>> cases[] = {
        {u"500", 500},       {u"  42\t", 42},        {u"0", 0},           {u"007", 7},
        {u"", std::nullopt}, {u"   ", std::nullopt}, {u"-3", std::nullopt}, {u"+3", std::nullopt},
        {u"1 2", std::nullopt}, {u"12a", std::nullopt}, {u"x", std::nullopt}, {u"\uff11", std::nullopt},
        {u"2147483647", kMost}, {u"2147483648", kMost}, {u"4294967297", kMost}, {std::u16string(100, u'9'), kMost},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(ParseLineNumber(text), number) << Utf16ToUtf8(text);
}

TEST(LineNumberTest, LinesAreClampedToTheDocument) {
    const struct {
        std::int32_t number;
        LineIndex lineCount;
        LineIndex line;
    } cases[] = {{500, 1000, 499}, {1, 1000, 0}, {1000, 1000, 999}, {1001, 1000, 999},
                 {kMost, 3, 2},    {0, 1000, 0}, {-5, 1000, 0},     {7, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(LineForNumber(c.number, c.lineCount), c.line) << c.number << " of " << c.lineCount;
}

}  // namespace
}  // namespace pathbook
