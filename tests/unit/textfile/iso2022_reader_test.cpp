// The ISO-2022/EUC decoder's state machine: designations, shifts, single
// shifts, HZ escapes, and bytes cut off by the end of the file.
#include <gtest/gtest.h>

#include <string>

#include "text_io.h"

namespace pathbook {
namespace {

using test::Decode;
using test::U;

struct Case {
    std::string bytes;
    std::string expected;  // UTF-8
};

void ExpectAll(CharsetId charset, std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(Decode(charset, c.bytes), U(c.expected)) << charset << " " << c.bytes;
}

TEST(Iso2022ReaderTest, Iso2022JpDesignations) {
    ExpectAll(charset::kIso2022Jp, {
        {"\x1B$B0!\x1B(Ba", "亜a"},
        {"\x1B$@0!", "亜"},
        {"\x1B$B$\"$$", "あい"},
        {"\xB1", "ｱ"},                        // GR is G1, katakana
        {"\x1B(I1\x1B(Ba", "ｱa"},             // katakana designated to G0
        {"\x0E" "1\x0F" "a", "ｱa"},            // SO shifts GL to G1
        {"\x1B)J\x0E" "a", "a"},              // G1 designated ASCII
        {"\x1B.A\x1BN\x69", "é"},             // G2 = ISO-8859-1 upper half, single shift
        {"\x1B$(Q0!", "Q0!"},                 // an unknown sequence is skipped as three bytes
        {"\x1B$B0!\r\n0!", "亜\n亜"},          // the designation outlives the line
    });
}

TEST(Iso2022ReaderTest, EucJp) {
    ExpectAll(charset::kEucJp, {
        {"\x8E\xB1", "ｱ"},
        {"\xB0\xA1", "亜"},
        {"a\xA4\xA2z", "aあz"},
        {"\x8F" "a", "a"},                    // G3 is ASCII
        {"\x1B$B0!", "0!"},                   // fixed sets: escapes change nothing
        {"\xFC\xF1", "ⅰ"},                    // NEC-selected IBM extension row 92
    });
}

TEST(Iso2022ReaderTest, KoreanAndChinese) {
    ExpectAll(charset::kIso2022Kr, {
        {"\x1B$)C", ""},
        {"\x1B$)C\x0EGQ\x0F" "a", "한a"},
        {"\x1B$)C\r\n\x0EGQ", "\n한"},
    });
    ExpectAll(charset::kIso2022Cn, {{"\x1B$)A\x0EVP\x0F", "中"}});
    ExpectAll(charset::kHz, {
        {"~{VP~}a", "中a"},
        {"~~", "~"},
        {"a~~{b", "a~{b"},
        {"~x", "x"},
        {"a~", "a~"},
        {"~{VP\r\nVP", "中\n中"},
    });
}

TEST(Iso2022ReaderTest, NothingIsReadPastTheEnd) {
    // A character or escape cut off by the end yields U+FFFD or nothing; the
    // fuzz target checks the bounds with the address sanitizer.
    ExpectAll(charset::kIso2022Jp, {
        {"\x1B", ""},
        {"\x1B$", ""},
        {"\x1B$)", ""},
        {"\x1B$B0", "\xEF\xBF\xBD"},
        {"\x1B$B0\r\n!", "\xEF\xBF\xBD\n\xEF\xBF\xBD"},
    });
    ExpectAll(charset::kEucJp, {{"a\xB0", "a\xEF\xBF\xBD"}, {"\x8E", ""}});
    ExpectAll(charset::kHz, {{"~{V", "\xEF\xBF\xBD"}, {"~", "~"}});
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

}  // namespace
}  // namespace pathbook
