#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pathbook {
namespace {

std::vector<std::u16string> Split(const char16_t* text) {
    ArgList args = SplitCommandLine(text);
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < args.Count(); ++i) out.emplace_back(args[i]);
    return out;
}

using Args = std::vector<std::u16string>;

TEST(SplitCommandLineTest, SpacesSeparateAndQuotesGroup) {
    EXPECT_EQ(Split(u"prog a b"), (Args{u"prog", u"a", u"b"}));
    EXPECT_EQ(Split(u"  prog   a  "), (Args{u"prog", u"a"}));
    EXPECT_EQ(Split(u"\"C:\\Program Files\\p.exe\" \"my file.txt\""),
              (Args{u"C:\\Program Files\\p.exe", u"my file.txt"}));
    EXPECT_EQ(Split(u""), Args{});
    std::u16string many = u"p";
    for (int i = 0; i < 50; ++i) many += u" x";
    EXPECT_EQ(SplitCommandLine(many.c_str()).Count(), 51u) << "many arguments grow the list";
}

TEST(SplitCommandLineTest, QuirksOfTheOldSplitter) {
    EXPECT_EQ(Split(u"\"a\"b"), (Args{u"a", u"b"}));          // next argument starts at once
    EXPECT_EQ(Split(u"p \"\""), (Args{u"p", u""}));            // one empty argument
    EXPECT_EQ(Split(u"p \""), (Args{u"p"}));                   // a lone quote at the end
    EXPECT_EQ(Split(u"p a\"b c"), (Args{u"p", u"a\"b", u"c"})); // no escapes inside
    EXPECT_EQ(Split(u"p a\tb"), (Args{u"p", u"a\tb"}));        // tabs do not separate
    EXPECT_EQ(Split(u"p \"open"), (Args{u"p", u"open"}));      // unterminated quote runs to the end
}

}  // namespace
}  // namespace pathbook
