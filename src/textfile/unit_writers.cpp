#include "textfile/unit_writers.h"

#include "runtime/surrogates.h"

namespace pathbook {
namespace {

// Units are encoded into a block on the stack and handed over in runs.
constexpr std::uint32_t kBlockBytes = 4096;


class Block {
public:
    explicit Block(FileWriter& file) : file_(file) {}
    ~Block() { Flush(); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;

    // Room for `bytes` more bytes (at most 8).
    std::uint8_t* Reserve(std::uint32_t bytes) {
        if (used_ + bytes > kBlockBytes) Flush();
        std::uint8_t* at = bytes_ + used_;
        used_ += bytes;
        return at;
    }

private:
    void Flush() {
        file_.WriteBytes(bytes_, used_);
        used_ = 0;
    }

    FileWriter& file_;
    std::uint8_t bytes_[kBlockBytes];
    std::uint32_t used_ = 0;  // invariant: used_ <= kBlockBytes
};

}  // namespace

void Latin1Writer::Write(const char16_t* units, std::uint32_t count) {
    Block block(file_);
    for (std::uint32_t i = 0; i < count; ++i) {
        *block.Reserve(1) = units[i] < 0x100 ? static_cast<std::uint8_t>(units[i]) : '?';
    }
}

template <ByteOrder Order>
void Utf16Writer<Order>::Write(const char16_t* units, std::uint32_t count) {
    Block block(file_);
    for (std::uint32_t i = 0; i < count; ++i) StoreUnit16<Order>(units[i], block.Reserve(2));
}

template <ByteOrder Order>
void Utf32Writer<Order>::Write(const char16_t* units, std::uint32_t count) {
    Block block(file_);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t value = units[i];
        if (IsHighSurrogate(units[i]) && i + 1 < count && IsLowSurrogate(units[i + 1])) {
            value = (((value & 0x3FF) + 0x40) << 10) | (units[i + 1] & 0x3FFu);
            ++i;
        }
        StoreUnit32<Order>(value, block.Reserve(4));
    }
}

void Utf5Writer::Write(const char16_t* units, std::uint32_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    Block block(file_);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t value = units[i];
        std::uint32_t digits = value <= 0xF ? 1 : value <= 0xFF ? 2 : value <= 0xFFF ? 3 : 4;
        std::uint8_t* at = block.Reserve(digits);
        for (std::uint32_t d = 0; d < digits; ++d) {
            std::uint32_t digit = (value >> (4 * (digits - 1 - d))) & 0xF;
            at[d] = static_cast<std::uint8_t>(d == 0 ? 'G' + digit : kDigits[digit]);
        }
    }
}

template class Utf16Writer<ByteOrder::kLittleEndian>;
template class Utf16Writer<ByteOrder::kBigEndian>;
template class Utf32Writer<ByteOrder::kLittleEndian>;
template class Utf32Writer<ByteOrder::kBigEndian>;

}  // namespace pathbook
