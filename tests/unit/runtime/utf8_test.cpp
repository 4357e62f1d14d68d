#include "runtime/utf8.h"

#include <gtest/gtest.h>

namespace pathbook {
namespace {

TEST(Utf8Test, RoundTripsAllPlanes) {
    std::u16string text = u"a\u00e9\u65e5\u672c\U0001F600z";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"\u65e5"), "\xe6\x97\xa5");
}

TEST(Utf8Test, IllFormedInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("\xff"), u"\ufffd");
    EXPECT_EQ(Utf8ToUtf16("\xe6\x97"), u"\ufffd");          // cut off at the end
    EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\ufffd\ufffd");    // overlong
    EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\ufffd\ufffd\ufffd");  // encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("\xf4\x90\x80\x80"), u"\ufffd\ufffd\ufffd\ufffd");  // above U+10FFFF
    EXPECT_EQ(Utf8ToUtf16("a\x80z"), u"a\ufffdz");
    EXPECT_EQ(Utf8ToUtf16("\xe6\x97z"), u"\ufffdz");  // one replacement for the whole cut-off part
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xd800')), "\xef\xbf\xbd");
    // Bytes F5 to FF never lead a sequence.
    EXPECT_EQ(Utf8ToUtf16("\xf8\x80\x80"), u"\ufffd\ufffd\ufffd");
    EXPECT_EQ(Utf8ToUtf16("\xff\xbf\xbf"), u"\ufffd\ufffd\ufffd");
    EXPECT_EQ(Utf8ToUtf16("\xf5\x80\x80\x80z"), u"\ufffd\ufffd\ufffd\ufffdz");
}

}  // namespace
}  // namespace pathbook
