// The view window's text for WM_GETTEXT: written straight into a buffer of
// the caller's size, never past it.
#include "view/window_text.h"

#include <gtest/gtest.h>

#include <string>

#include "document/edit_command.h"

namespace pathbook {
namespace {

std::u16string Copied(const Document& document, std::size_t capacity, std::size_t* written) {
    std::u16string buffer(capacity + 4, u'#');  // guard units past the capacity
    *written = CopyWindowText(document, buffer.data(), capacity);
    EXPECT_EQ(buffer.substr(capacity), u"####") << "nothing past the capacity";
    return buffer.substr(0, capacity);
}

TEST(WindowTextTest, AtMostCapacityLessOneUnitsAndANul) {
    Document document;
    InsertCommand insert(DocPos::At(0, 0), u"ab\ncd\U0001F600e");
    document.Execute(insert);  // "ab" CR LF "cd" pair "e": 9 units
    struct Case {
        std::size_t capacity;
        std::u16string text;
    } cases[] = {
        {1, u""},           {2, u"a"},          {3, u"ab"},
        {4, u"ab\r"},       {5, u"ab\r\n"},     {7, u"ab\r\ncd"},
        {8, u"ab\r\ncd"},  // never the first half of a pair alone
        {9, u"ab\r\ncd\U0001F600"}, {10, u"ab\r\ncd\U0001F600e"}, {64, u"ab\r\ncd\U0001F600e"},
    };
    for (const Case& c : cases) {
        std::size_t written = 0;
        const std::u16string buffer = Copied(document, c.capacity, &written);
        EXPECT_EQ(written, c.text.size()) << c.capacity;
        EXPECT_EQ(buffer.substr(0, written), c.text) << c.capacity;
        EXPECT_EQ(buffer[written], u'\0') << c.capacity;
    }
    std::u16string untouched(u"zz");
    EXPECT_EQ(CopyWindowText(document, untouched.data(), 0), 0u);
    EXPECT_EQ(untouched, u"zz");
}

}  // namespace
}  // namespace pathbook
