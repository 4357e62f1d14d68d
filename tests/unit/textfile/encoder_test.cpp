// Encoder byte sequences, marks, headers and line breaks.
#include <gtest/gtest.h>

#include <string>

#include "text_io.h"
#include "textfile/shift_jis_to_jis.h"
#include "textfile/unit_runs.h"

namespace pathbook {
namespace {

using test::Bytes;
using test::Encode;
using test::EncodeText;
using test::U;

TEST(EncoderTest, ByteSequences) {
    const struct {
        CharsetId charset;
        std::string text;  // UTF-8
        std::string bytes;
    } cases[] = {
        {charset::kUtf8Bom, "a", "\xEF\xBB\xBF" "a"},
        {charset::kUtf8, "a", "a"},
        {charset::kIso2022Jp, "あa", "\x1B(B\x1B$B$\"\x1B(Ba"},
        {charset::kIso2022Jp, "ｱ", "\x1B(B\x1B(I1\x1B(B"},
        {charset::kIso2022Jp, "亜", "\x1B(B\x1B$B0!\x1B(B"},
        {charset::kEucJp, "ｱ", "\x8E\xB1"},
        {charset::kEucJp, "亜", "\xB0\xA1"},
        {charset::kEucJp, "ⅰ", "\xFC\xF1"},
        {charset::kHz, "~", "~~"},
        {charset::kHz, "中a", "~{VP~}a"},
        {charset::kHz, "中", "~{VP~}"},
        {charset::kIso2022Cn, "中a", "\x1B$)A\x0EVP\x0F" "a"},
        {charset::kIso2022Kr, "한", "\x1B$)C\x0EGQ\x0F"},
        {charset::kLatin1, "€é“”\u0081", "\x80\xE9\x93\x94\x81"},
        {charset::kLatin1, "日", "?"},
        {charset::kUtf32Be, "😀", Bytes({0x00, 0x01, 0xF6, 0x00})},
        {charset::kUtf32LeBom, "a", Bytes({0xFF, 0xFE, 0, 0, 'a', 0, 0, 0})},
        {charset::kUtf32BeBom, "a", Bytes({0, 0, 0xFE, 0xFF, 0, 0, 0, 'a'})},
        {charset::kUtf16BeBom, "a", Bytes({0xFE, 0xFF, 0, 'a'})},
        {charset::kUtf16Le, "あ", Bytes({0x42, 0x30})},
        {charset::kUtf5, "A", "K1"},
        {charset::kUtf5, "あ", "J042"},
        {charset::kUtf5, "\x01", "H"},
        {charset::kUtf5, "\xC3\xBF", "VF"},
        {charset::kShiftJis, "亜ｱ", "\x88\x9F\xB1"},
    };
    for (const auto& c : cases) EXPECT_EQ(EncodeText(c.charset, c.text), c.bytes) << c.charset << " " << c.text;
}

TEST(EncoderTest, LineBreaksAreEncodedLikeText) {
    EXPECT_EQ(Encode(charset::kUtf16LeBom, {u"A", u""}), Bytes({0xFF, 0xFE, 'A', 0, 0x0D, 0, 0x0A, 0}));
    EXPECT_EQ(Encode(charset::kUtf16Be, {u"", u""}, LineEnd::kLf), Bytes({0, 0x0A}));
    // UTF-5 writes every unit in its shortest form, breaks too (the reader
    // also takes the long forms "GD" and "GA").
    EXPECT_EQ(Encode(charset::kUtf5, {u"", u""}, LineEnd::kCrLf), "TQ");
    EXPECT_EQ(Encode(charset::kUtf8, {u"a", u"b", u"c"}, LineEnd::kCr), "a\rb\rc");
    // Every ISO-2022-JP line ends in ASCII.
    EXPECT_EQ(Encode(charset::kIso2022Jp, {U("あ"), U("あ")}, LineEnd::kLf), "\x1B(B\x1B$B$\"\x1B(B\n\x1B$B$\"\x1B(B");
}

TEST(EncoderTest, OneEmptyLineIsAnEmptyFileWithoutAMark) {
    for (CharsetId id : {charset::kUtf8, charset::kUtf16Le, charset::kUtf32Be, charset::kUtf5, charset::kEucJp,
                         charset::kHz, charset::kLatin1, charset::kShiftJis, charset::kUtf7}) {
        EXPECT_EQ(Encode(id, {u""}), "") << id;
    }
}

TEST(EncoderTest, Utf32WritesALoneSurrogateAsItsOwnValue) {
    EXPECT_EQ(Encode(charset::kUtf32Be, {u"\xD800" u"a"}), Bytes({0, 0, 0xD8, 0x00, 0, 0, 0, 'a'}));
    EXPECT_EQ(Encode(charset::kUtf32Le, {u"a\xD800"}), Bytes({'a', 0, 0, 0, 0x00, 0xD8, 0, 0}));
    EXPECT_EQ(Encode(charset::kUtf32Le, {u"\xDC00"}), Bytes({0x00, 0xDC, 0, 0}));
}

// Every length and every place of the first unit outside the class, so that
// the eight-unit steps and the scalar tail both meet it.
TEST(UnitRunsTest, RunsEndAtTheFirstUnitOutsideTheirClass) {
    const struct {
        std::uint32_t (*run)(const char16_t*, std::uint32_t);
        char16_t inside, outside;
    } classes[] = {
        {AsciiRun, u'a', 0x80},          {AsciiRun, 0x7F, 0x3042},          {PrintableAsciiRun, u'~', 0x7F},
        {PrintableAsciiRun, u' ', 0x1F}, {PrintableAsciiRun, u'a', 0xFF41}, {NonSurrogateRun, 0xD7FF, 0xD800},
        {NonSurrogateRun, 0xE000, 0xDFFF},
    };
    for (const auto& c : classes) {
        for (std::uint32_t count = 0; count < 40; ++count) {
            for (std::uint32_t stop = 0; stop <= count; ++stop) {
                std::u16string units(count, c.inside);
                if (stop < count) units[stop] = c.outside;
                EXPECT_EQ(c.run(units.data(), count), stop) << count << " " << stop;
            }
        }
    }
    std::u16string ascii = u"0123456789abcdefghijklmnopqrstuvwxyz";
    std::string narrow(ascii.size(), '\0');
    NarrowUnits(ascii.data(), static_cast<std::uint32_t>(ascii.size()), reinterpret_cast<std::uint8_t*>(narrow.data()));
    EXPECT_EQ(narrow, "0123456789abcdefghijklmnopqrstuvwxyz");
}

TEST(ShiftJisToJisTest, ArithmeticAndTheIbmExtensionTable) {
    const struct {
        int s1, s2, j1, j2;
    } pairs[] = {
        {0x88, 0x9F, 0x30, 0x21}, {0x81, 0x40, 0x21, 0x21}, {0xE0, 0x40, 0x5F, 0x21}, {0xEA, 0xA4, 0x74, 0x26},
        {0xFA, 0x40, 0x7C, 0x71}, {0xFB, 0x40, 0x7A, 0x63}, {0xFC, 0x4B, 0x7C, 0x6E}, {0xFA, 0x7F, 0x21, 0x29},
        {0xFA, 0xFD, 0x21, 0x29}, {0xFB, 0xFF, 0x21, 0x29}, {0xFC, 0x4C, 0x21, 0x29}, {0xFC, 0x4F, 0x21, 0x29},
        {0xFA, 0x4A, 0x2D, 0x35}, {0xFA, 0x5B, 0x22, 0x68},
    };
    for (const auto& p : pairs) {
        JisPair jis = ShiftJisToJis(static_cast<std::uint8_t>(p.s1), static_cast<std::uint8_t>(p.s2));
        EXPECT_EQ(jis.first, p.j1) << std::hex << p.s1 << " " << p.s2;
        EXPECT_EQ(jis.second, p.j2) << std::hex << p.s1 << " " << p.s2;
    }
}

}  // namespace
}  // namespace pathbook
