#include <gtest/gtest.h>

#include <string>

#include "platform/code_page.h"
#include "support/temp_folder.h"
#include "text_io.h"
#include "textfile/detection.h"
#include "textfile/text_file_in.h"

namespace pathbook {
namespace {

using test::Bytes;

CharsetId Acp() { return static_cast<CharsetId>(platform::AnsiCodePage()); }

Detection Detect(const std::string& bytes, CharsetId requested = charset::kAutoDetect) {
    return DetectEncoding(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::uint32_t>(bytes.size()),
                          requested);
}

CharsetId DetectCharset(const std::string& bytes, CharsetId requested = charset::kAutoDetect) {
    return Detect(bytes, requested).charset;
}

// What the bytes alone decide, and what a requested encoding still changes.
TEST(DetectionTest, CharsetsFromTheBytesAndTheRequest) {
    constexpr CharsetId kAuto = charset::kAutoDetect;
    // No system has a code page 12345: a choice of it must not load the file as empty text.
    constexpr CharsetId kMissing = 12345;
    const std::string mark8 = Bytes({0xEF, 0xBB, 0xBF, 'a', 'b'});
    const std::string mark16Be = Bytes({0xFE, 0xFF, 0, 'a', 0, 'b'});
    const std::string mark32Le = Bytes({0xFF, 0xFE, 0, 0, 'a', 0, 0, 0});
    const std::string mark32Be = Bytes({0, 0, 0xFE, 0xFF, 0, 0, 0, 'a'});
    const std::string plain = "plain text";
    const std::string lead = std::string(600, 'a') + "\xE3\x81";
    const struct {
        std::string bytes;
        CharsetId requested, expected;
    } cases[] = {
        // Files of at most four bytes are not examined.
        {Bytes({0xEF, 0xBB, 0xBF, 'A'}), kAuto, Acp()},
        {Bytes({0xEF, 0xBB, 0xBF, 'A'}), charset::kUtf8Bom, charset::kUtf8Bom},
        {"GAGD", kAuto, Acp()},
        // Byte order marks.
        {mark8, kAuto, charset::kUtf8Bom},
        {mark32Be, kAuto, charset::kUtf32BeBom},
        {mark32Le, kAuto, charset::kUtf32LeBom},
        {mark16Be, kAuto, charset::kUtf16BeBom},
        {Bytes({0xFF, 0xFE, 'a', 0, 'b', 0}), kAuto, charset::kUtf16LeBom},
        // A Unicode choice only decides the mark.
        {plain, charset::kUtf8Bom, charset::kUtf8},
        {mark8, charset::kUtf8, charset::kUtf8Bom},
        {mark32Le, charset::kUtf32Le, charset::kUtf32LeBom},
        {plain, charset::kUtf32LeBom, charset::kUtf32Le},
        {mark32Be, charset::kUtf32Be, charset::kUtf32BeBom},
        {Bytes({0xFF, 0xFE, 'a', 0, 'b', 0}), charset::kUtf16Le, charset::kUtf16LeBom},
        {mark16Be, charset::kUtf16Be, charset::kUtf16BeBom},
        {mark16Be, charset::kUtf16Le, charset::kUtf16Le},
        {mark8, charset::kShiftJis, charset::kShiftJis},
        // A choice the system cannot read is detected instead.
        {mark8, kMissing, charset::kUtf8Bom},
        {"abc", kMissing, Acp()},
        {plain, charset::kEucJp, platform::IsValidCodePage(932) ? charset::kEucJp : Acp()},
        // ISO-2022 headers, and an escape in seven-bit text.
        {"\x1B$)C\x0E!!\x0F", kAuto, charset::kIso2022Kr},
        {"\x1B$)A\x0E!!\x0F", kAuto, charset::kIso2022Cn},
        {"plain\x1B(B text", kAuto, charset::kIso2022Jp},
        {"plain\x1B(B text\xA4\xA2", kAuto, Acp()},  // eight-bit, short, no LF
        // Only UTF-5 letters is UTF-5.
        {"GAGDK1", kAuto, charset::kUtf5},
        {"0123456789ABCDEFGHIJKLMNOPQRSTUV", kAuto, charset::kUtf5},
        {"GAGDK1W", kAuto, Acp()},
        {"GAGD\r\n", kAuto, Acp()},
        // Seven-bit text, UTF-16LE without a mark included, is the ANSI code page.
        {"hello world", kAuto, Acp()},
        {Bytes({'a', 0, 'b', 0, 'c', 0}), kAuto, Acp()},
        // A sequence cut off by the end is still UTF-8; a malformed one falls back.
        {lead, kAuto, charset::kUtf8},
        {lead + "z", kAuto, Acp()},
        {std::string(600, 'a') + "\x81", kAuto, Acp()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectCharset(c.bytes, c.requested), c.expected)
            << c.requested << " " << testing::PrintToString(c.bytes);
    }
}

// A choice the system cannot read, of a whole file.
TEST(DetectionTest, AFileInAnEncodingTheSystemCannotReadIsDetected) {
    test::TempFolder folder;
    TextFileIn in(12345);
    ASSERT_TRUE(test::WriteAndOpen(folder, "note.txt", Bytes({0xEF, 0xBB, 0xBF}) + "first\r\nsecond", in));
    EXPECT_EQ(in.Charset(), charset::kUtf8Bom);
    EXPECT_EQ(test::DrainLines(in), (std::vector<std::u16string>{u"first", u"second"}));
}

TEST(DetectionTest, ShortFilesWithoutLfLineEndsStayInTheAnsiCodePage) {
    // Valid EUC-JP and UTF-8 both, but short and CR LF.
    std::string text = "\xE3\x81\x82\r\n";
    std::string shortFile;
    while (shortFile.size() + text.size() <= 512) shortFile += text;
    EXPECT_EQ(DetectCharset(shortFile), Acp());
    EXPECT_EQ(DetectCharset(shortFile + text), charset::kUtf8);  // 515 bytes
    std::string lfFile = shortFile;
    for (char& c : lfFile) c = c == '\r' ? 'x' : c;
    EXPECT_EQ(DetectCharset(lfFile), charset::kUtf8);
    // FE is typical of neither the ANSI code pages nor UTF-8: the short-file rule is skipped.
    EXPECT_EQ(DetectCharset(std::string("ab\xFE\r\n")), charset::kEucJp);
}

TEST(DetectionTest, EucJpByteRanges) {
    std::string euc = std::string(600, 'a') + "\xB0\xA1\xA4\xA2";
    EXPECT_EQ(DetectCharset(euc), charset::kEucJp);
    std::string eucAndUtf8 = std::string(600, 'a') + "\xE3\x81\x82";  // 81 is in 0x7F-0x8D
    EXPECT_EQ(DetectCharset(eucAndUtf8), charset::kUtf8);
    for (auto [b, euc] : {std::pair{0x7F, false}, {0x8D, false}, {0x90, false}, {0xA0, false}, {0x8E, true},
                          {0x8F, true}, {0xA1, true}}) {
        std::string bytes = std::string(600, 'a') + "\xB0\xA1" + std::string(1, static_cast<char>(b));
        EXPECT_EQ(DetectCharset(bytes) == charset::kEucJp, euc) << b;
    }
}

TEST(DetectionTest, LineEndStyleFromTheCounts) {
    const struct {
        int cr, lf;
        LineEnd expected;
    } cases[] = {
        {10, 10, LineEnd::kCrLf}, {10, 21, LineEnd::kLf}, {21, 10, LineEnd::kCr},
        {10, 20, LineEnd::kCrLf}, {20, 10, LineEnd::kCrLf}, {0, 1, LineEnd::kLf}, {1, 0, LineEnd::kCr},
    };
    for (const auto& c : cases) {
        Detection d = Detect("text" + std::string(static_cast<std::size_t>(c.cr), '\r') +
                             std::string(static_cast<std::size_t>(c.lf), '\n'));
        EXPECT_EQ(d.lineEnd, c.expected) << c.cr << " " << c.lf;
        EXPECT_FALSE(d.noLineBreaks);
    }
    Detection none = Detect("no breaks here");
    EXPECT_TRUE(none.noLineBreaks);
    EXPECT_EQ(none.lineEnd, LineEnd::kCrLf);
}

TEST(DetectionTest, TextFileInLooksOnlyAtTheFirst16384Bytes) {
    test::TempFolder folder;
    // A UTF-8 character cut at byte 16384 leaves the verdict UTF-8.
    std::string cut = "\xE3\x81\x82" + std::string(kDetectionWindow - 4, 'a') + "\xE3\x81\x82";
    TextFileIn in;
    ASSERT_TRUE(test::WriteAndOpen(folder, "cut.txt", cut, in));
    EXPECT_EQ(in.Charset(), charset::kUtf8);
    // A byte that would spoil UTF-8 after the window goes unseen, and so do
    // the line breaks there.
    TextFileIn late;
    ASSERT_TRUE(test::WriteAndOpen(folder, "late.txt", std::string(kDetectionWindow, 'a') + "\n\xFF", late));
    EXPECT_EQ(late.Charset(), Acp());
    EXPECT_TRUE(late.NoLineBreaks());
}

// Sequences inside the text, where the bytes after a lead are looked at together.
TEST(DetectionTest, EverySequenceLengthIsCheckedInsideTheText) {
    const std::string before = std::string(600, 'a') + "\xE3\x81\x82";  // 81 rules out EUC-JP
    const std::string after = "tail of the line";
    const struct {
        const char* sequence;
        bool utf8;
    } cases[] = {
        {"\xC3\xA9", true},          {"\xC3z", false},         {"\xE3\x81\x82", true},
        {"\xE3\x81z", false},        {"\xE3z\x82", false},     {"\xF0\x9F\x98\x80", true},
        {"\xF0\x9F\x98z", false},    {"\xF8\x88\x80\x80\x80", true}, {"\xF8\x88\x80z\x80", false},
        {"\x81\x81", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectCharset(before + c.sequence + after), c.utf8 ? charset::kUtf8 : Acp()) << c.sequence;
    }
}

}  // namespace
}  // namespace pathbook
