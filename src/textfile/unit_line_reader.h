// The line reader shared by every decoder of self-delimiting units (UTF-16,
// UTF-32, UTF-5, UTF-7). `Units` supplies Peek() (the next UTF-16 unit),
// Advance(), AtEnd() and Position(); it is a template parameter rather than a virtual
// interface so that the per-unit loop inlines. Position() is the first byte
// it may still read.
//
// CR LF is one break; a lone CR, a lone LF, and LF CR (two breaks) end lines.
// Every U+FEFF is dropped, not only a leading byte-order mark.
#pragma once

#include <type_traits>
#include <utility>

#include "textfile/text_reader.h"

namespace pathbook {

// Units that can also hand over a stretch without CR, LF or U+FEFF at once:
// TakePlain(out, room) stores at most `room` such units and returns how many.
template <typename Units, typename = void>
struct TakesPlainUnits : std::false_type {};
template <typename Units>
struct TakesPlainUnits<Units, std::void_t<decltype(std::declval<Units&>().TakePlain(nullptr, 0u))>>
    : std::true_type {};

// Units that can tell of bytes they could not make a unit of: Replaced().
template <typename Units, typename = void>
struct ReportsReplacedBytes : std::false_type {};
template <typename Units>
struct ReportsReplacedBytes<Units, std::void_t<decltype(std::declval<const Units&>().Replaced())>> : std::true_type {};

template <typename Units>
class UnitLineReader final : public TextReader {
public:
    explicit UnitLineReader(const Units& units) : units_(units) {}

    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override {
        state_ = ReadState::kFinished;
        std::uint32_t stored = 0;
        if (capacity == 0) {
            if (!units_.AtEnd()) state_ = ReadState::kBufferFull;
            return 0;
        }
        while (!units_.AtEnd()) {
            if constexpr (TakesPlainUnits<Units>::value) {
                stored += units_.TakePlain(buffer + stored, capacity - stored);
                if (stored == capacity) {
                    state_ = ReadState::kBufferFull;
                    return stored;
                }
                if (units_.AtEnd()) break;
            }
            char16_t unit = units_.Peek();
            units_.Advance();
            if (unit == kCarriageReturn || unit == kLineFeed) {
                state_ = ReadState::kAtLineBreak;
                if (unit == kCarriageReturn && !units_.AtEnd() && units_.Peek() == kLineFeed) units_.Advance();
                return stored;
            }
            if (unit == kByteOrderMark) continue;
            buffer[stored++] = unit;
            if (stored == capacity) {
                state_ = ReadState::kBufferFull;
                return stored;
            }
        }
        return stored;
    }

    const std::uint8_t* Position() const override { return units_.Position(); }
    // A CR or LF unit ends the read and is never stored.
    bool LastReadMayHoldBreaks() const override { return false; }

    bool ReplacedBytes() const override {
        if constexpr (ReportsReplacedBytes<Units>::value) return units_.Replaced();
        return false;
    }

private:
    Units units_;
};

}  // namespace pathbook
