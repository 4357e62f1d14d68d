// The unit decoders, the code-page decoder and the ISO-2022/EUC decoder,
// through the reader contract.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "support/utf16le_bytes.h"
#include "text_io.h"

namespace pathbook {
namespace {

using test::Bytes;
using test::Decode;
using test::DecodeLines;
using test::U;

// Every read of a reader: its units and the state after it.
std::vector<std::pair<std::u16string, ReadState>> Reads(TextReader& reader, std::uint32_t capacity) {
    std::vector<std::pair<std::u16string, ReadState>> reads;
    std::vector<char16_t> buffer(capacity);
    while (reader.State() != ReadState::kFinished && reads.size() < 100000) {
        const std::uint32_t count = reader.Read(buffer.data(), capacity);
        reads.emplace_back(std::u16string(buffer.data(), count), reader.State());
    }
    return reads;
}

TEST(LineReaderTest, BreaksAndStates) {
    const struct {
        std::string bytes;
        std::u16string expected;
    } cases[] = {
        {"a\r\nb", u"a\nb"},   {"a\rb", u"a\nb"},     {"a\nb", u"a\nb"},     {"a\n\rb", u"a\n\nb"},
        {"a\r\n", u"a\n"},     {"", u""},             {"\r\r\n\n", u"\n\n\n"}, {"abc", u"abc"},
    };
    for (CharsetId id : {charset::kLatin1, charset::kUtf8, charset::kShiftJis, charset::kEucJp}) {
        for (const auto& c : cases) EXPECT_EQ(Decode(id, c.bytes), c.expected) << id << " " << c.bytes;
    }
}

TEST(LineReaderTest, ReadsSplitByCapacity) {
    std::string text = "0123456789abcdefghij\r\nxyz";
    for (CharsetId id : {charset::kLatin1, charset::kUtf8, charset::kEucJp}) {
        for (std::uint32_t capacity : {1u, 2u, 3u, 7u, 20u, 21u, 1024u}) {
            EXPECT_EQ(Decode(id, text, capacity), u"0123456789abcdefghij\nxyz") << id << " " << capacity;
        }
    }
    std::string units = test::Utf16Le(U(text));
    auto reader = CreateTextReader(charset::kUtf16Le, reinterpret_cast<const std::uint8_t*>(units.data()), 50);
    EXPECT_EQ(reader->State(), ReadState::kAtLineBreak);
    EXPECT_EQ(Reads(*reader, 8), (std::vector<std::pair<std::u16string, ReadState>>{
                                     {u"01234567", ReadState::kBufferFull},
                                     {u"89abcdef", ReadState::kBufferFull},
                                     {u"ghij", ReadState::kAtLineBreak},
                                     {u"xyz", ReadState::kFinished}}));
}

TEST(LineReaderTest, CodePageReadsConsumeAtMostHalfTheCapacityInBytes) {
    std::string text(100, 'x');
    auto reader = CreateTextReader(charset::kUtf8, reinterpret_cast<const std::uint8_t*>(text.data()), 100);
    char16_t buffer[64];
    EXPECT_EQ(reader->Read(buffer, 64), 32u);
    EXPECT_EQ(reader->State(), ReadState::kBufferFull);
}

// Code page 1252 is Windows-1252; the five bytes it leaves unassigned are the
// units of the same value, so any file comes back byte for byte.
TEST(Windows1252Test, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) if (b != '\r' && b != '\n') all.push_back(static_cast<char>(b));
    all += "\r\n";
    std::vector<std::u16string> lines = DecodeLines(charset::kLatin1, all);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 254u);
    EXPECT_EQ(test::Encode(charset::kLatin1, lines, LineEnd::kCrLf, LossPolicy::kRefuse), all);
    EXPECT_EQ(Decode(charset::kLatin1, "\x93quoted\x94 \x80 \x96"), U("“quoted” € –"));
    EXPECT_EQ(Decode(charset::kLatin1, "\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(Decode(charset::kLatin1, "\xE9\xFF"), u"\u00E9\u00FF");
}

// Each decoder's units for its bytes; the rows of one decoder go together.
TEST(DecoderTest, EachDecoderMakesItsUnits) {
    const std::u16string bad = u"\uFFFD";
    const struct {
        CharsetId charset;
        std::string bytes;
        std::u16string expected;
    } cases[] = {
        // Every U+FEFF is dropped by the unit readers; code-page readers keep a later one.
        {charset::kUtf16LeBom, Bytes({0xFF, 0xFE, 'a', 0, 0xFF, 0xFE, 'b', 0}), u"ab"},
        {charset::kUtf16Be, Bytes({0xFE, 0xFF, 0, 'a'}), u"a"},
        {charset::kUtf32Le, Bytes({0xFF, 0xFE, 0, 0, 'a', 0, 0, 0}), u"a"},
        {charset::kUtf5, "K1VFEFFK2", u"AB"},
        {charset::kUtf7, "a+/v8-b", u"ab"},
        {charset::kLatin1, "ab", u"ab"},
        {charset::kUtf8, "\xEF\xBB\xBF" "a\xEF\xBB\xBF" "b", u"a\uFEFFb"},
        {charset::kUtf8Bom, "\xEF\xBB\xBF" "a", u"a"},
        // UTF-16: byte order, an odd length, surrogates; a BE mark read as LE is U+FFFE and stays.
        {charset::kUtf16Be, Bytes({0, 'a', 0x30, 0x42, 0xD8, 0x3D, 0xDE, 0x00}), u"aあ😀"},
        {charset::kUtf16Le, Bytes({'a', 0, 'b'}), u"a"},
        {charset::kUtf16Le, Bytes({0xFE, 0xFF, 'a', 0}), u"\uFFFEa"},
        {charset::kUtf16Le, Bytes({0x00, 0xDC, 'a', 0}), u"\xDC00" u"a"},
        {charset::kUtf16Le, Bytes({'a', 0, '\r', 0, '\n', 0, 'b', 0}), u"a\nb"},
        // UTF-32: astral values become pairs; above U+10FFFF no character; a cut-off last unit is ignored.
        {charset::kUtf32Le, Bytes({0x00, 0xF6, 0x01, 0x00}), u"\xD83D\xDE00"},
        {charset::kUtf32Be, Bytes({0x00, 0x01, 0xF6, 0x00, 0, 0, 0, 'a'}), u"\xD83D\xDE00" u"a"},
        {charset::kUtf32Be, Bytes({0x00, 0x11, 0x00, 0x00, 0, 0, 0, 'a'}), bad + u"a"},
        {charset::kUtf32Be, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), bad},
        {charset::kUtf32Le, Bytes({'a', 0, 0, 0, 'b', 0, 0}), u"a"},
        // UTF-5 letters and digits.
        {charset::kUtf5, "K1J042", u"Aあ"},
        {charset::kUtf5, "K1GDGAK2", u"A\nB"},
        {charset::kUtf5, "K1GDK2", u"A\nB"},
        {charset::kUtf5, "GAGDK2", u"\n\nB"},
        {charset::kUtf5, "K", u"\x04"},
        // UTF-7: direct characters, base64 and groups.
        {charset::kUtf7, "A+AGE-B", u"AaB"},
        {charset::kUtf7, "+-", u"+"},
        {charset::kUtf7, "a+-b", u"a+b"},
        {charset::kUtf7, "+MEIwRDBG-", u"あいう"},
        {charset::kUtf7, "+MEIwRDBGMEgwSg-", u"あいうえお"},
        {charset::kUtf7, "+2D3eAA-", u"😀"},
        {charset::kUtf7, "+AGE", u"a"},
        {charset::kUtf7, "+AGE.", u"a."},
        {charset::kUtf7, "+", u""},
        {charset::kUtf7, "+\xE3", u"\u00E3"},
        {charset::kUtf7, "a\r\n+AGE-\r\nb", u"a\na\nb"},
        // UTF-8, with a sequence cut off by the end of the file or by a line break.
        {charset::kUtf8, "h\xC3\xA9 \xE3\x81\x82 \xF0\x9F\x98\x80", u"hé あ 😀"},
        {charset::kUtf8, "a\xE3\x81", u"a" + bad},
        {charset::kUtf8, "a\xE3\r\nb", u"a" + bad + u"\nb"},
        {charset::kUtf8, "\xFF", bad},
        // Double-byte and single-byte code pages.
        {charset::kShiftJis, "\x88\x9F\x82\xA0\xB1", u"亜あｱ"},
        {949, "\xC7\xD1", u"한"},
        {936, "\xD6\xD0", u"中"},
        {950, "\xA4\xA4", u"中"},
        {1251, "\xCF\xF0\xE8", u"При"},
        {20866, "\xF0\xD2\xC9", u"При"},
        {1253, "\xC1\xE1", u"Αα"},
        {437, "\x82\xDA", u"é┌"},
        // ISO-2022-JP designations.
        {charset::kIso2022Jp, "\x1B$B0!\x1B(Ba", u"亜a"},
        {charset::kIso2022Jp, "\x1B$@0!", u"亜"},
        {charset::kIso2022Jp, "\x1B$B$\"$$", u"あい"},
        {charset::kIso2022Jp, "\xB1", u"ｱ"},                   // GR is G1, katakana
        {charset::kIso2022Jp, "\x1B(I1\x1B(Ba", u"ｱa"},        // katakana designated to G0
        {charset::kIso2022Jp, "\x0E" "1\x0F" "a", u"ｱa"},       // SO shifts GL to G1
        {charset::kIso2022Jp, "\x1B)J\x0E" "a", u"a"},         // G1 designated ASCII
        {charset::kIso2022Jp, "\x1B.A\x1BN\x69", u"é"},        // G2 = ISO-8859-1 upper half, single shift
        {charset::kIso2022Jp, "\x1B$(Q0!", u"Q0!"},            // an unknown sequence is skipped as three bytes
        {charset::kIso2022Jp, "\x1B$B0!\r\n0!", u"亜\n亜"},     // the designation outlives the line
        // EUC-JP.
        {charset::kEucJp, "\x8E\xB1", u"ｱ"},
        {charset::kEucJp, "\xB0\xA1", u"亜"},
        {charset::kEucJp, "a\xA4\xA2z", u"aあz"},
        {charset::kEucJp, "\x8F" "a", u"a"},                   // G3 is ASCII
        {charset::kEucJp, "\x1B$B0!", u"0!"},                  // fixed sets: escapes change nothing
        {charset::kEucJp, "\xFC\xF1", u"ⅰ"},                   // NEC-selected IBM extension row 92
        // Korean and Chinese.
        {charset::kIso2022Kr, "\x1B$)C", u""},
        {charset::kIso2022Kr, "\x1B$)C\x0EGQ\x0F" "a", u"한a"},
        {charset::kIso2022Kr, "\x1B$)C\r\n\x0EGQ", u"\n한"},
        {charset::kIso2022Cn, "\x1B$)A\x0EVP\x0F", u"中"},
        {charset::kHz, "~{VP~}a", u"中a"},
        {charset::kHz, "~~", u"~"},
        {charset::kHz, "a~~{b", u"a~{b"},
        {charset::kHz, "~x", u"x"},
        {charset::kHz, "a~", u"a~"},
        {charset::kHz, "~{VP\r\nVP", u"中\n中"},
        // A character or escape cut off by the end yields U+FFFD or nothing; the
        // fuzz target checks the bounds with the address sanitizer.
        {charset::kIso2022Jp, "\x1B", u""},
        {charset::kIso2022Jp, "\x1B$", u""},
        {charset::kIso2022Jp, "\x1B$)", u""},
        {charset::kIso2022Jp, "\x1B$B0", bad},
        {charset::kIso2022Jp, "\x1B$B0\r\n!", bad + u"\n" + bad},
        {charset::kEucJp, "a\xB0", u"a" + bad},
        {charset::kEucJp, "\x8E", u""},
        {charset::kHz, "~{V", bad},
        {charset::kHz, "~", u"~"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decode(c.charset, c.bytes), c.expected) << c.charset << " " << testing::PrintToString(c.bytes);
    }
    // A UTF-32 pair split by the capacity arrives in two reads.
    EXPECT_EQ(Decode(charset::kUtf32Le, Bytes({0x00, 0xF6, 0x01, 0x00, 'x', 0, 0, 0}), 1), u"\xD83D\xDE00x");
    // Stray UTF-5 digits at the start count from "G"; values keep 16 bits.
    EXPECT_EQ(Decode(charset::kUtf5, "VFFFFF").size(), 1u);
}

// A lead byte never swallows a line break; a pair that glibc steps over
// before it calls it bad keeps the byte after it.
TEST(DecoderTest, ABadDoubleByteSequenceKeepsWhatFollows) {
    EXPECT_EQ(DecodeLines(charset::kShiftJis, "a\x88\r\nb").size(), 2u);
    EXPECT_EQ(Decode(charset::kShiftJis, "a\x88").substr(0, 1), u"a");
    EXPECT_EQ(Decode(949, "\xA2\xE8" "A\xA2\xE8").substr(1, 1), u"A");
}

TEST(Iso2022ReaderTest, ReadsSplitByCapacityKeepTheShiftState) {
    std::string text = "\x1B$B0!0!0!0!0!0!0!0!\x1B(Babc";
    for (std::uint32_t capacity : {1u, 2u, 3u, 5u, 8u, 1024u}) {
        EXPECT_EQ(Decode(charset::kIso2022Jp, text, capacity), U("亜亜亜亜亜亜亜亜abc")) << capacity;
    }
}

TEST(Iso2022ReaderTest, ALongRunOfShiftsStillMakesProgress) {
    std::string shifts(5000, '\x0F');
    auto reader = CreateTextReader(charset::kIso2022Kr, reinterpret_cast<const std::uint8_t*>(shifts.data()), 5000);
    char16_t buffer[1024];
    EXPECT_EQ(reader->Read(buffer, 1024), 0u);
    EXPECT_EQ(reader->State(), ReadState::kFinished);
    EXPECT_EQ(Decode(charset::kHz, std::string(3000, '~') + "ab"), std::u16string(1500, u'~') + u"ab");
}

// The fast paths (ASCII blocks, well-formed UTF-8, the table of single
// characters, EUC runs) hand out exactly the reads of the exact way: around
// ill-formed and cut-off sequences, line breaks at block edges, the window's
// limit, and lead bytes before breaks and at the end.
TEST(FastPathTest, ReadsAreThoseOfTheExactWay) {
    const std::string ascii = "0123456789abcde\r\n0123456789abcdef\n0123456789abcdefg\t\x01\x7F";
    const struct {
        CharsetId charset;
        std::string bytes;
    } cases[] = {
        {charset::kUtf8, ascii + "h\xC3\xA9 \xE3\x81\x82\xF0\x9F\x98\x80 \xEF\xBB\xBF"},
        {charset::kUtf8, "\xC0\x80\xC1\xBF\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xF8\x88\x80\x80\x80z"},
        {charset::kUtf8, "abc\xE3\x81\r\n\xE3\xF0\x9F\x98\xFF\x80\xBF\xE3\x81\x82"},
        {charset::kUtf8, std::string(600, 'a') + "\xE3\x81\x82" + std::string(509, 'b') + "\xF0\x9F\x98\x80xyz"},
        {charset::kShiftJis, ascii + "\x88\x9F\x82\xA0\xB1\x80\xA0\xFD\x81\x7F\x81\x20\x88\r\nz\x88"},
        {charset::kShiftJis, std::string(511, 'a') + "\x88\x9F" + std::string(1000, '\x82') + "\xA0"},
        {936, "\xD6\xD0\x80\xFF\x81\x30\x81\x30" "a\xD6"},
        {949, "\xC7\xD1\xC7\x41\xC7"},
        {949, "\xA2\xE8" "a\xA2\xE8"},
        {950, "\xA4\xA4\xA4\x40\xF9\xFE\x80"},
        {1251, ascii + "\xCF\xF0\xE8\x98"},
        {1258, "a\xEC\xCC\xD2" "b"},
        {charset::kEucJp, ascii + "\xB0\xA1\xA4\xA2\x8E\xB1\x8F" "a\xB0\r\n\xB0\x41\x1B$B0!\x0E" "1\x0F\xB0"},
        {charset::kIso2022Jp, "\x1B$B0!\x1B(Ba\xB1" + ascii},
        {charset::kIso2022Kr, "\x1B$)C\x0EGQ\x0F" "abc\xC7\xD1"},
    };
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(c.bytes.data());
        const auto size = static_cast<std::uint32_t>(c.bytes.size());
        for (std::uint32_t capacity : {64u, 65u, 70u, 100u, 1024u}) {
            auto fast = CreateTextReader(c.charset, bytes, size);
            auto exact = CreateExactTextReader(c.charset, bytes, size);
            EXPECT_EQ(Reads(*fast, capacity), Reads(*exact, capacity))
                << c.charset << " " << capacity << " " << c.bytes;
        }
    }
}

}  // namespace
}  // namespace pathbook
