#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/encoded_string.h"
#include "config/ini_file.h"
#include "platform/code_page.h"
#include "platform/portable_mode.h"
#include "platform/profile.h"
#include "platform/shell_folder.h"
#include "runtime/utf8.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::TempFolder;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ini_.Open(String(folder_.File("settings.ini")));
        ini_.UseSection(u"Someone");
    }
    // The text the file holds for `key`, before any decoding.
    std::u16string Raw(const char16_t* key) {
        char16_t buffer[2048];
        platform::ReadIniString(ini_.Path().Chars(), u"Someone", key, u"", buffer, 2048);
        return buffer;
    }
    TempFolder folder_;
    IniFile ini_;
};

TEST_F(IniFileTest, MissingValuesGiveTheDefaultsAndIsEnabledReadsTheNamedSection) {
    EXPECT_EQ(ini_.GetInt(u"Missing", -7), -7);
    EXPECT_TRUE(ini_.GetBool(u"Missing", true));
    EXPECT_EQ(ini_.GetString(u"Missing", u"dflt"), String(u"dflt"));
    EXPECT_FALSE(ini_.IsEnabled(u"SharedConfig"));
    // IsEnabled reads the section it names, not the one in use.
    IniFile shared;
    shared.Open(ini_.Path());
    shared.UseSection(u"SharedConfig");
    shared.PutInt(u"Enable", 1);
    EXPECT_TRUE(ini_.IsEnabled(u"SharedConfig"));
    EXPECT_FALSE(ini_.IsEnabled(u"Someone"));
}

// Numbers, booleans, quoted values and values past any buffer come back whole.
TEST_F(IniFileTest, ValuesRoundTrip) {
    ini_.PutInt(u"Low", INT32_MIN);
    ini_.PutInt(u"Minus", -1);
    ini_.PutBool(u"Yes", true);
    ini_.PutBool(u"No", false);
    EXPECT_EQ(ini_.GetInt(u"Low", 0), INT32_MIN);
    EXPECT_EQ(ini_.GetInt(u"Minus", 0), -1);
    EXPECT_TRUE(ini_.GetBool(u"Yes", false));
    EXPECT_FALSE(ini_.GetBool(u"No", true));
    EXPECT_EQ(Raw(u"Yes"), u"1");
    EXPECT_EQ(Raw(u"Low"), u"-2147483648");
    for (const char16_t* value : {u"\"C:\\Program Files\\grep.exe\" -n", u"\"quoted\"", u"\"", u"a \"middle\" b"}) {
        ini_.PutString(u"Value", value);
        EXPECT_EQ(ini_.GetString(u"Value", u""), String(value));
    }
    for (int length : {254, 255, 256, 300, 511, 512, 1500}) {
        std::u16string value;
        for (int i = 0; i < length; ++i) value.push_back(static_cast<char16_t>(u'a' + i % 26));
        ini_.PutString(u"Long", String(value));
        EXPECT_EQ(ini_.GetString(u"Long", u"").View(), value) << length;
    }
}

// Values the ANSI code page cannot hold are stored in hex; the others as they are.
TEST_F(IniFileTest, EncodedValuesAreReadBack) {
    const String hex(u"C:\\notes\\\u65E5\u672C\\\u0100.txt");
    ini_.PutEncodedString(u"Hex", hex);
    EXPECT_EQ(Raw(u"Hex"), u"#0043003a005c006e006f007400650073005c65e5672c005c0100002e007400780074");
    EXPECT_EQ(ini_.GetEncodedString(u"Hex", u""), hex);
    const String plain(u"C:\\notes\\caf\u00E9.txt");
    ini_.PutEncodedString(u"Plain", plain);
    if (platform::AnsiCodePage() == 1252) {
        EXPECT_EQ(Raw(u"Plain"), plain.View());
    }
    EXPECT_EQ(ini_.GetEncodedString(u"Plain", u""), plain);
}

TEST(IniFileNamesTest, UserSectionAndFilePath) {
    EXPECT_EQ(UserSectionName(u""), String(u"Default"));
    EXPECT_EQ(UserSectionName(u"alice"), String(u"alice"));
    String path = IniFile::DefaultPath(u"C:\\Apps\\Pathbook.exe");
    std::u16string_view text = path.View();
    ASSERT_GE(text.size(), 13u);
    EXPECT_EQ(text.substr(text.size() - 13), u"\\Pathbook.ini");
    IniFile ini;
    ini.UseUserSection();
    EXPECT_FALSE(ini.Section().Empty());
}

struct DecodeCase {
    const char16_t* stored;
    const char16_t* value;
};

TEST(EncodedStringTest, Decoding) {
    const DecodeCase cases[] = {
        {u"", u""},
        {u"plain", u"plain"},
        {u"#", u""},
        {u"#004", u""},
        {u"#0041", u"A"},
        {u"#00410", u"A"},       // a trailing short group is ignored
        {u"#00410042", u"AB"},
        {u"#004A", u"J"},        // capitals count like small letters
        {u"#0-041", u"\u0004"},  // "-" is skipped, the group still ends after four characters
        {u"#000z", u"#"},        // "z" counts 35: 35 = 0x23
        {u"#65e5", u"\u65E5"},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(DecodeSettingValue(c.stored), std::u16string(c.value)) << Utf16ToUtf8(c.stored);
    }
}

TEST(EncodedStringTest, APlainValueStartingWithHashIsEncodedToSurvive) {
    EXPECT_EQ(EncodeSettingValue(u"#0041"), u"#00230030003000340031");
    EXPECT_EQ(DecodeSettingValue(EncodeSettingValue(u"#0041")), u"#0041");
    EXPECT_EQ(EncodeSettingValue(u"a#b"), u"a#b");
}

TEST(EncodedStringTest, EncodingRoundTripsEveryUnit) {
    std::u16string all;
    for (char16_t unit = 1; unit < 0xFFFF; unit = static_cast<char16_t>(unit + 97)) all.push_back(unit);
    std::u16string stored = EncodeSettingValue(all);
    ASSERT_EQ(stored.size(), 1 + 4 * all.size());
    EXPECT_EQ(DecodeSettingValue(stored), all);
}

// The INI rules both builds share; under Wine the same cases check the POSIX
// store against the system's own functions.
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

class ProfileTest : public ::testing::Test {
protected:
    ProfileTest() { folder_.Write("a.ini", kSample); }
    std::u16string Read(const char16_t* section, const char16_t* key, const std::string& file = "a.ini") const {
        char16_t buffer[256];
        std::uint32_t length =
            platform::ReadIniString(folder_.File(file).c_str(), section, key, u"<none>", buffer, 256);
        EXPECT_EQ(length, std::u16string(buffer).size());
        return buffer;
    }
    std::int32_t ReadInt(const char16_t* key, const std::string& file = "a.ini") const {
        return platform::ReadIniInt(folder_.File(file).c_str(), u"Sec", key, 5);
    }
    bool Write(const char16_t* section, const char16_t* key, const char16_t* value,
               const std::string& file = "a.ini") const {
        return platform::WriteIniString(folder_.File(file).c_str(), section, key, value);
    }

    TempFolder folder_;
};

TEST_F(ProfileTest, ReadsWithTheSystemRules) {
    const ReadCase cases[] = {
        {u"Sec", u"Key1", u"value one"},  {u"sec", u"KEY1", u"value one"}, {u"Sec", u"key2", u"quoted value"},
        {u"Sec", u"Empty", u""},          {u"Sec", u"Missing", u"<none>"}, {u"Other", u"Key1", u"other"},
        {u"Nowhere", u"Key1", u"<none>"},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(Read(c.section, c.key), c.expected) << Utf16ToUtf8(c.key);
    EXPECT_EQ(ReadInt(u"Number"), 42);
    EXPECT_EQ(ReadInt(u"Negative"), -17);
    EXPECT_EQ(ReadInt(u"Word"), 0);
    EXPECT_EQ(ReadInt(u"Missing"), 5);
    EXPECT_EQ(ReadInt(u"Number", "none.ini"), 5);
}

TEST_F(ProfileTest, ACutValueReportsTheCapacityLessOne) {
    char16_t buffer[5];
    EXPECT_EQ(platform::ReadIniString(folder_.File("a.ini").c_str(), u"Sec", u"Key1", u"", buffer, 5), 4u);
    EXPECT_EQ(std::u16string(buffer), u"valu");
}

TEST_F(ProfileTest, WritesReplaceAddAndCreate) {
    EXPECT_TRUE(Write(u"SEC", u"key1", u"changed"));
    EXPECT_TRUE(Write(u"Sec", u"Added", u"new"));
    EXPECT_TRUE(Write(u"Third", u"K", u"v"));
    const ReadCase cases[] = {
        {u"Sec", u"Key1", u"changed"}, {u"Sec", u"Added", u"new"}, {u"Sec", u"Word", u"abc"},
        {u"Other", u"Key1", u"other"}, {u"Third", u"K", u"v"},     {u"Other", u"Added", u"<none>"},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(Read(c.section, c.key), c.expected) << Utf16ToUtf8(c.key);
    EXPECT_TRUE(Write(u"S", u"K", u"v", "fresh.ini"));
    EXPECT_EQ(Read(u"S", u"K", "fresh.ini"), u"v");
}

// Portable mode: portable.ini beside the program moves its state beside it.
TEST(PortableModeTest, PortableIniBesideTheProgramNamesItsFolder) {
    TempFolder folder;
    const std::u16string program = folder.File("Pathbook.exe");
    const std::u16string programFolder = program.substr(0, program.size() - 13);
    EXPECT_EQ(platform::PortableFolderOf(program), u"") << "no portable.ini yet";
    std::filesystem::create_directory(folder.Path() / "portable.ini");
    EXPECT_EQ(platform::PortableFolderOf(program), u"") << "a folder of that name";
    std::filesystem::remove(folder.Path() / "portable.ini");
    folder.Write("portable.ini", "");  // an empty file will do
    EXPECT_EQ(platform::PortableFolderOf(program), programFolder);
    EXPECT_EQ(platform::PortableFolderOf(u"Pathbook.exe"), u"") << "a path without a folder";
    EXPECT_EQ(platform::PortableFolderOf(u""), u"");
}

// The test program has no portable.ini beside it: the user's folders.
TEST(PortableModeTest, WithoutItTheUsersFolders) {
    EXPECT_EQ(platform::PortableFolder(), u"");
    const std::u16string settings = platform::AppDataFilePath(u"Pathbook.ini");
    EXPECT_EQ(settings, platform::ShellFolderPath(platform::kShellFolderAppData) + u"\\Pathbook.ini");
}

}  // namespace
}  // namespace pathbook
