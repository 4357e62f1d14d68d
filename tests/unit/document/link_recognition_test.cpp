// MatchLink, ClassifyLink and the character classes.
#include <gtest/gtest.h>

#include <string>

#include "document/link_recognition.h"

namespace pathbook {
namespace {

std::uint32_t Match(const std::u16string& text) { return MatchLink(text.data(), static_cast<std::uint32_t>(text.size())); }

TEST(LinkRecognitionTest, MatchLinkExamples) {
    const struct {
        std::u16string text;  // the rest of the line after "<"
        std::uint32_t expected;
    } cases[] = {
        {u"C:\\Windows\\Fonts>", 16}, {u"..\\>", 3}, {u"..>", 2}, {u"../../x>", 7}, {u"./x>", 3}, {u".txt>", 0},
        {u"...>", 0}, {u"..", 0}, {u"./", 2}, {u"\\\\server\\share>", 14}, {u"\\x>", 0}, {u"//host/x>", 8},
        {u"http://a.b/c?d=e:f>", 18}, {u"https://a.b/c?d=1>", 17}, {u"hTTp://x>", 8}, {u"http:/x>", 0}, {u"h:\\x>", 4},
        {u"ftp://f:21/x>", 12}, {u"mailto://me@x>", 13}, {u"%WINDIR%\\x>", 10}, {u"#page>", 5}, {u"C:\\a?b>", 4},
        {u"C:\\a\tb>", 4}, {u"C:", 2}, {u"C:>", 2}, {u"", 0}, {u"plain>", 0}, {u"C:\\\u65e5\u672c \u3000x>", 8},
        {u"http://\u65e5\u672c>", 9}, {u"C:\\a\"b", 4}, {u"C:\\a|b", 4}, {u"C:\\a*b", 4}, {u"C:\\a,b;c d>", 10},
    };
    for (const auto& c : cases) EXPECT_EQ(Match(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
}

TEST(LinkRecognitionTest, MatchLinkNeverReadsPastTheCount) {
    const std::u16string text = u"C:\\abc>";
    EXPECT_EQ(MatchLink(text.data(), 4), 4u);
    EXPECT_EQ(MatchLink(u"..\\x", 3), 3u);
    EXPECT_EQ(MatchLink(u"http://x", 6), 0u);
    EXPECT_EQ(MatchLink(u"\\\\", 1), 0u);
}

TEST(LinkRecognitionTest, ClassifyLinkKinds) {
    const struct {
        const char16_t* text;
        LinkKind kind;
    } cases[] = {
        {u"//host", LinkKind::kFile},      {u"\\\\server\\s", LinkKind::kFile}, {u"C:\\x", LinkKind::kFile},
        {u"c:/x", LinkKind::kFile},        {u"C:", LinkKind::kNone},            {u"%TEMP%", LinkKind::kFile},
        {u"..\\x", LinkKind::kFile},       {u"#anchor", LinkKind::kAnchor},     {u"http://x", LinkKind::kHttp},
        {u"HTTPS://x", LinkKind::kHttp},   {u"ftp://x", LinkKind::kFtp},        {u"mailto://x", LinkKind::kMail},
        {u"mailto:x", LinkKind::kNone},    {u"", LinkKind::kNone},              {u"word", LinkKind::kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyLink(c.text), c.kind);
    EXPECT_EQ(ClassifyLink(u"C:\\x", 2), LinkKind::kNone);
    EXPECT_EQ(ClassifyLink(u"http://x", 5), LinkKind::kNone);
}

TEST(LinkRecognitionTest, CharacterClasses) {
    const struct {
        char16_t unit;
        std::uint32_t path, url;
    } cases[] = {
        {u'\t', 0, 0}, {u'\0', 0, 0}, {u' ', 1, 1},  {u',', 1, 1},  {u';', 1, 1},  {u'a', 3, 3},
        {u'~', 3, 3},  {u'\x7f', 3, 3}, {u'/', 8, 8}, {u'\\', 8, 8}, {u':', 0, 3},  {u'?', 0, 3},
        {u'"', 0, 0},  {u'*', 0, 0},  {u'<', 0, 0},  {u'>', 0, 0},  {u'|', 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPathChar(c.unit), c.path) << int(c.unit);
        EXPECT_EQ(IsUrlChar(c.unit), c.url) << int(c.unit);
    }
    for (char16_t unit : {u'\u3000', u'\u65e5', u'\u00e9', u'\u0416', u'\uac00'}) {
        EXPECT_NE(IsPathChar(unit), 0u);
        EXPECT_NE(IsUrlChar(unit), 0u);
    }
}

}  // namespace
}  // namespace pathbook
