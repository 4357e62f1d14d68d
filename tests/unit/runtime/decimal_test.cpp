#include "runtime/decimal.h"

#include <gtest/gtest.h>

namespace pathbook {
namespace {

TEST(ParseDecimalTest, AcceptsOnlyAnOptionalMinusAndDigitsAndWraps) {
    struct Case {
        const char16_t* text;
        std::int32_t value;
    } cases[] = {
        {u"0", 0},       {u"120", 120},  {u"-12", -12}, {u"", 0},      {u"-", 0},
        {u"+5", 0},      {u" 5", 0},     {u"5 ", 0},    {u"12a", 0},   {u"--1", 0},
        {u"007", 7},     {u"2147483647", 2147483647},   {u"-2147483648", -2147483647 - 1},
        // Beyond 32 bits the value wraps modulo 2^32.
        {u"2147483648", -2147483647 - 1}, {u"4294967297", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << std::u16string(c.text).size();
}

TEST(FormatDecimalTest, RoundTripsEveryEdge) {
    for (std::int32_t value : {0, 1, -1, 9, 10, -10, 65001, -65001, 2147483647, -2147483647 - 1}) {
        EXPECT_EQ(ParseDecimal(FormatDecimal(value).c_str()), value);
    }
    EXPECT_EQ(FormatDecimal(-2147483647 - 1), u"-2147483648");
    EXPECT_EQ(FormatUnsignedDecimal(0), u"0");
    EXPECT_EQ(FormatUnsignedDecimal(18446744073709551615ull), u"18446744073709551615");
}

TEST(FormatWithDecimalTest, TheNumberGoesWhereTheFormatSays) {
    EXPECT_EQ(FormatWithDecimal(u"%d times Replaced.", 3), u"3 times Replaced.");
    EXPECT_EQ(FormatWithDecimal(u"%d箇所置換しました。", 12345), u"12345箇所置換しました。");
    EXPECT_EQ(FormatWithDecimal(u"Replaced: %d, again %d", 2), u"Replaced: 2, again %d");
    EXPECT_EQ(FormatWithDecimal(u"Replaced.", 2), u"Replaced.");
    EXPECT_EQ(FormatWithDecimal(u"", 2), u"");
}

}  // namespace
}  // namespace pathbook
