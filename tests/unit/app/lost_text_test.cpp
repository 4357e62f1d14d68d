// The words naming the characters a save would lose.
#include <gtest/gtest.h>

#include "app/lost_text.h"

namespace pathbook {
namespace {

TEST(LostText, NamesEachCharacterWithItsCodeAndPlaceFromOne) {
    const struct {
        std::vector<LostCharacter> lost;
        const char16_t* expected;
    } cases[] = {
        {{}, u""},
        {{{0, 0, U'日'}}, u"[日] U+65E5 1:1 %5%"},
        {{{2, 9, U'\x2603'}, {41, 0, U'\x1F600'}}, u"[☃] U+2603 3:10 %5%\r\n[\U0001F600] U+1F600 42:1 %5%"},
        {{{0, 3, 0xD800}, {0, 4, 0x85}}, u"[\xFFFD] U+D800 1:4 %5%\r\n[\xFFFD] U+0085 1:5 %5%"},
        {{{0xFFFFFFFFu, 0, U'a'}}, u"[a] U+0061 4294967296:1 %5%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeLostCharacters(u"[%1] U+%2 %3:%4 %5%", c.lost), String(c.expected));
    }
}

}  // namespace
}  // namespace pathbook
