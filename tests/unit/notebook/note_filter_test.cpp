// Which names the TxtFilter patterns take, as the open dialog's filter does.
#include "notebook/note_filter.h"

#include <gtest/gtest.h>

#include <tuple>

#include "runtime/utf8.h"

namespace pathbook {
namespace {

TEST(NoteFilterTest, PatternsAgainstNames) {
    const std::tuple<const char16_t*, const char16_t*, bool> cases[] = {
        {u"*.txt", u"a.txt", true},           {u"*.txt", u"A.TXT", true},
        {u"*.txt", u"a.txt.bak", false},      {u"*.txt", u"txt", false},
        {u"*.txt", u".txt", true},            {u"*.txt;*.md", u"b.md", true},
        {u" *.txt ; *.md ", u"b.md", true},   {u"*.txt;;", u"b.md", false},
        {u"", u"a.txt", false},               {u";", u"a.txt", false},
        {u"note?.txt", u"note1.txt", true},   {u"note?.txt", u"note12.txt", false},
        {u"*", u"anything", true},            {u"*.*", u"README", true},
        {u"*.*", u"a.b", true},               {u"a*b*c", u"aXbYbZc", true},
        {u"a*b*c", u"aXbYbZ", false},         {u"**.txt", u"x.txt", true},
        {u"ノート*.txt", u"ノート1.TXT", true}, {u"*.ÄBC", u"x.äbc", true},
        {u"*.txt", u"メモ.txt", true},
    };
    for (const auto& [filter, name, matches] : cases) {
        EXPECT_EQ(NoteFilter(filter).Matches(name), matches) << Utf16ToUtf8(filter) << " " << Utf16ToUtf8(name);
    }
}

TEST(NoteFilterTest, ALongNameAgainstManyStarsEnds) {
    std::u16string name(4000, u'a');
    std::u16string pattern;
    for (int i = 0; i < 100; ++i) pattern += u"*a";
    EXPECT_FALSE(NoteFilter(pattern + u"b").Matches(name));
    EXPECT_TRUE(NoteFilter(pattern).Matches(name));
}

}  // namespace
}  // namespace pathbook
