#include "textfile/unit_writers.h"

#include "runtime/surrogates.h"

namespace pathbook {
template <ByteOrder Order>
bool Utf16Writer<Order>::Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) {
    std::uint8_t* at = out.Reserve(std::size_t{count} * 2);
    for (std::uint32_t i = 0; i < count; ++i) StoreUnit16<Order>(units[i], at + 2 * i);
    out.Commit(std::size_t{count} * 2);
    return true;
}

template <ByteOrder Order>
bool Utf32Writer<Order>::Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) {
    std::uint8_t* at = out.Reserve(std::size_t{count} * 4);
    std::uint8_t* start = at;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t value = units[i];
        if (IsHighSurrogate(units[i]) && i + 1 < count && IsLowSurrogate(units[i + 1])) {
            value = (((value & 0x3FF) + 0x40) << 10) | (units[i + 1] & 0x3FFu);
            ++i;
        }
        StoreUnit32<Order>(value, at);
        at += 4;
    }
    out.Commit(static_cast<std::size_t>(at - start));
    return true;
}

bool Utf5Writer::Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::uint8_t* at = out.Reserve(std::size_t{count} * 4);
    std::uint8_t* start = at;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t value = units[i];
        std::uint32_t digits = value <= 0xF ? 1 : value <= 0xFF ? 2 : value <= 0xFFF ? 3 : 4;
        for (std::uint32_t d = 0; d < digits; ++d) {
            std::uint32_t digit = (value >> (4 * (digits - 1 - d))) & 0xF;
            at[d] = static_cast<std::uint8_t>(d == 0 ? 'G' + digit : kDigits[digit]);
        }
        at += digits;
    }
    out.Commit(static_cast<std::size_t>(at - start));
    return true;
}

template class Utf16Writer<ByteOrder::kLittleEndian>;
template class Utf16Writer<ByteOrder::kBigEndian>;
template class Utf32Writer<ByteOrder::kLittleEndian>;
template class Utf32Writer<ByteOrder::kBigEndian>;

}  // namespace pathbook
