// Little-endian fields of the journal's layout: appended to a byte buffer,
// and read back from a bounded range that never reads past its end.
// Tested by journal_reader_test.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/byte_order.h"

namespace pathbook::journal {

using Bytes = std::vector<std::uint8_t>;

inline void PutU32(Bytes& out, std::uint32_t value) {
    std::size_t at = out.size();
    out.resize(at + 4);
    StoreUnit32<ByteOrder::kLittleEndian>(value, out.data() + at);
}
inline void PutU64(Bytes& out, std::uint64_t value) {
    PutU32(out, static_cast<std::uint32_t>(value));
    PutU32(out, static_cast<std::uint32_t>(value >> 32));
}
inline void PutI32(Bytes& out, std::int32_t value) { PutU32(out, static_cast<std::uint32_t>(value)); }
// A text: its unit count, then the units.
inline void PutText(Bytes& out, std::u16string_view text) {
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    std::size_t at = out.size();
    out.resize(at + 2 * text.size());
    for (char16_t unit : text) {
        StoreUnit16<ByteOrder::kLittleEndian>(unit, out.data() + at);
        at += 2;
    }
}

// Reads fields from [at, end). A field that does not fit sets `failed`, reads
// as zero or empty, and consumes nothing; every later field then fails too.
class FieldReader {
public:
    FieldReader(const std::uint8_t* at, const std::uint8_t* end) : at_(at), end_(end) {}

    std::uint32_t U32() {
        if (!Have(4)) return 0;
        std::uint32_t value = LoadUnit32<ByteOrder::kLittleEndian>(at_);
        at_ += 4;
        return value;
    }
    std::uint64_t U64() {
        std::uint64_t low = U32();
        return low | static_cast<std::uint64_t>(U32()) << 32;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::u16string Text() {
        std::uint32_t units = U32();
        if (!Have(2 * static_cast<std::size_t>(units))) return {};
        return Units(units);
    }
    // `units` units with no count before them.
    std::u16string Units(std::size_t units) {
        if (!Have(2 * units)) return {};
        std::u16string text(units, u'\0');
        for (char16_t& unit : text) {
            unit = static_cast<char16_t>(LoadUnit16<ByteOrder::kLittleEndian>(at_));
            at_ += 2;
        }
        return text;
    }

    bool Failed() const { return failed_; }
    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - at_); }

private:
    bool Have(std::size_t bytes) {
        if (failed_ || Remaining() < bytes) failed_ = true;
        return !failed_;
    }

    const std::uint8_t* at_;  // invariant: at_ <= end_
    const std::uint8_t* end_;
    bool failed_ = false;
};

}  // namespace pathbook::journal
