// The INI rules both builds share; under Wine the same cases check the POSIX
// store against the system's own functions.
#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::TempFolder;

constexpr char kSample[] =
    "[Sec]\r\n"
    "  Key1 =  value one  \r\n"
    "key2=\"quoted value\"\r\n"
    "Empty=\r\n"
    "Number= 42\r\n"
    "Negative=-17\r\n"
    "Word=abc\r\n"
    "\r\n"
    "[Other]\r\n"
    "Key1=other\r\n";

struct ReadCase {
    const char16_t* section;
    const char16_t* key;
    const char16_t* expected;
};

std::u16string Read(const std::u16string& path, const char16_t* section, const char16_t* key) {
    char16_t buffer[256];
    std::uint32_t length = platform::ReadIniString(path.c_str(), section, key, u"<none>", buffer, 256);
    EXPECT_EQ(length, std::u16string(buffer).size());
    return buffer;
}

TEST(ProfileTest, ReadsWithTheSystemRules) {
    TempFolder folder;
    folder.Write("a.ini", kSample);
    std::u16string path = folder.File("a.ini");
    const ReadCase cases[] = {
        {u"Sec", u"Key1", u"value one"},  {u"sec", u"KEY1", u"value one"}, {u"Sec", u"key2", u"quoted value"},
        {u"Sec", u"Empty", u""},          {u"Sec", u"Missing", u"<none>"}, {u"Other", u"Key1", u"other"},
        {u"Nowhere", u"Key1", u"<none>"},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(Read(path, c.section, c.key), c.expected);
    EXPECT_EQ(platform::ReadIniInt(path.c_str(), u"Sec", u"Number", 5), 42);
    EXPECT_EQ(platform::ReadIniInt(path.c_str(), u"Sec", u"Negative", 5), -17);
    EXPECT_EQ(platform::ReadIniInt(path.c_str(), u"Sec", u"Word", 5), 0);
    EXPECT_EQ(platform::ReadIniInt(path.c_str(), u"Sec", u"Missing", 5), 5);
    EXPECT_EQ(platform::ReadIniInt(folder.File("none.ini").c_str(), u"Sec", u"Number", 5), 5);
}

TEST(ProfileTest, ACutValueReportsTheCapacityLessOne) {
    TempFolder folder;
    folder.Write("a.ini", kSample);
    char16_t buffer[5];
    EXPECT_EQ(platform::ReadIniString(folder.File("a.ini").c_str(), u"Sec", u"Key1", u"", buffer, 5), 4u);
    EXPECT_EQ(std::u16string(buffer), u"valu");
}

TEST(ProfileTest, WritesReplaceAddAndCreate) {
    TempFolder folder;
    folder.Write("a.ini", kSample);
    std::u16string path = folder.File("a.ini");
    EXPECT_TRUE(platform::WriteIniString(path.c_str(), u"SEC", u"key1", u"changed"));
    EXPECT_TRUE(platform::WriteIniString(path.c_str(), u"Sec", u"Added", u"new"));
    EXPECT_TRUE(platform::WriteIniString(path.c_str(), u"Third", u"K", u"v"));
    EXPECT_EQ(Read(path, u"Sec", u"Key1"), u"changed");
    EXPECT_EQ(Read(path, u"Sec", u"Added"), u"new");
    EXPECT_EQ(Read(path, u"Sec", u"Word"), u"abc");
    EXPECT_EQ(Read(path, u"Other", u"Key1"), u"other");
    EXPECT_EQ(Read(path, u"Third", u"K"), u"v");
    EXPECT_EQ(Read(path, u"Other", u"Added"), u"<none>");

    std::u16string fresh = folder.File("fresh.ini");
    EXPECT_TRUE(platform::WriteIniString(fresh.c_str(), u"S", u"K", u"v"));
    EXPECT_EQ(Read(fresh, u"S", u"K"), u"v");
}

}  // namespace
}  // namespace pathbook
