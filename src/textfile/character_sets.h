// The coded character sets that ISO-2022 and EUC designate, and how one
// character of each becomes UTF-16. The double-byte sets and the katakana set
// go through the platform's conversion of the Windows code page that holds
// them (932, 949, 936); results are kept in tables filled on first use
// (CodePageCharacters), so a large file costs one conversion per distinct
// character, not per byte.
#pragma once

#include <atomic>
#include <cstdint>

namespace pathbook {

enum class CharacterSet : std::uint8_t {
    kAscii = 0,
    kLatin1Upper = 1,  // ISO-8859-1 upper half
    kKatakana = 2,     // JIS X 0201 katakana
    kJisX0208 = 3,
    kKsX1001 = 4,
    kGb2312 = 5,
};

constexpr bool IsDoubleByte(CharacterSet set) {
    return set == CharacterSet::kJisX0208 || set == CharacterSet::kKsX1001 || set == CharacterSet::kGb2312;
}

// At most this many units come out of one character.
constexpr std::uint32_t kMaxUnitsPerCharacter = 2;

// Decodes one character of `set` from `first` (and `second` for the
// double-byte sets; only the low 7 bits of each count) into `out` and returns
// the number of units (0 to kMaxUnitsPerCharacter). *replaced tells whether
// the bytes name no character of the set (the code page replaced them).
std::uint32_t DecodeSetCharacter(CharacterSet set, std::uint8_t first, std::uint8_t second, char16_t* out,
                                 bool* replaced);

// The double-byte characters of one set that DecodeSetCharacter turns into a
// single unit other than U+FFFD, CR and LF, by the low 7 bits of their bytes:
// one lookup for the readers' fast path.
class DoubleByteUnits {
public:
    // The table of a double-byte set (IsDoubleByte), made on first use.
    static DoubleByteUnits& Of(CharacterSet set);

    // The character's unit, or 0 when it is not such a character.
    char16_t Plain(std::uint8_t first, std::uint8_t second) {
        // Threads that learn a unit at once store the same value.
        std::atomic<char16_t>& slot = units_[(first & 0x7Fu) << 7 | (second & 0x7Fu)];
        char16_t unit = slot.load(std::memory_order_relaxed);
        if (unit == kUnknown) {
            unit = Learn(first, second);
            slot.store(unit, std::memory_order_relaxed);
        }
        return unit == kNotPlain ? 0 : unit;
    }

private:
    static constexpr char16_t kUnknown = 0;
    static constexpr char16_t kNotPlain = 0xFFFD;

    explicit DoubleByteUnits(CharacterSet set) : set_(set) {}
    char16_t Learn(std::uint8_t first, std::uint8_t second) const;

    CharacterSet set_;
    std::atomic<char16_t> units_[128 * 128] = {};
};

}  // namespace pathbook
