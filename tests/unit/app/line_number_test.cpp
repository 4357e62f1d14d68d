// What the jump dialog accepts as a line number, and where it leads.
#include "app/line_number.h"

#include <gtest/gtest.h>

namespace pathbook {
namespace {

TEST(LineNumberTest, DigitsWithBlanksAroundAreALineNumber) {
    EXPECT_EQ(ParseLineNumber(u"500"), 500);
    EXPECT_EQ(ParseLineNumber(u"  42\t"), 42);
    EXPECT_EQ(ParseLineNumber(u"0"), 0);
    EXPECT_EQ(ParseLineNumber(u"007"), 7);
}

TEST(LineNumberTest, AnythingElseIsNoLineNumber) {
    for (const char16_t* text : {u"", u"   ", u"-3", u"+3", u"1 2", u"12a", u"x", u"\uff11"}) {
        EXPECT_FALSE(ParseLineNumber(text).has_value());
    }
}

TEST(LineNumberTest, HugeNumbersSaturateInsteadOfWrapping) {
    EXPECT_EQ(ParseLineNumber(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseLineNumber(u"2147483648"), 2147483647);
    EXPECT_EQ(ParseLineNumber(u"4294967297"), 2147483647);
    EXPECT_EQ(ParseLineNumber(std::u16string(100, u'9')), 2147483647);
}

TEST(LineNumberTest, LinesAreClampedToTheDocument) {
    EXPECT_EQ(LineForNumber(500, 1000), 499u);
    EXPECT_EQ(LineForNumber(1, 1000), 0u);
    EXPECT_EQ(LineForNumber(1000, 1000), 999u);
    EXPECT_EQ(LineForNumber(1001, 1000), 999u);
    EXPECT_EQ(LineForNumber(2147483647, 3), 2u);
    EXPECT_EQ(LineForNumber(0, 1000), 0u);
    EXPECT_EQ(LineForNumber(-5, 1000), 0u);
    EXPECT_EQ(LineForNumber(7, 0), 0u);
}

}  // namespace
}  // namespace pathbook
