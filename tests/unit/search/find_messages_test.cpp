// The replace-all message in both languages.
#include "search/find_messages.h"

#include <gtest/gtest.h>

namespace pathbook::search {
namespace {

TEST(FindMessagesTest, CountGoesWhereTheFormatSays) {
    EXPECT_EQ(ReplacedCountText(u"%d times Replaced.", 3), String(u"3 times Replaced."));
    EXPECT_EQ(ReplacedCountText(u"%d times Replaced.", 0), String(u"0 times Replaced."));
    EXPECT_EQ(ReplacedCountText(u"%d箇所置換しました。", 12345), String(u"12345箇所置換しました。"));
    EXPECT_EQ(ReplacedCountText(u"Replaced: %d, again %d", 2), String(u"Replaced: 2, again %d"));
    EXPECT_EQ(ReplacedCountText(u"Replaced.", 2), String(u"Replaced."));
    EXPECT_EQ(ReplacedCountText(u"", 2), String());
}

}  // namespace
}  // namespace pathbook::search
