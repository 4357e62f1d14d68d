#include "textfile/utf7_reader.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kGroupLength = 8;
constexpr std::int8_t kNotBase64 = -1;

struct Base64Table {
    std::int8_t value[256];
    constexpr Base64Table() : value() {
        for (auto& entry : value) entry = kNotBase64;
        const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (std::int8_t i = 0; i < 64; ++i) value[static_cast<std::uint8_t>(alphabet[i])] = i;
    }
};
constexpr Base64Table kBase64;

}  // namespace

void Utf7Units::Refill() {
    count_ = 0;
    next_ = 0;
    while (count_ == 0 && bytes_.cursor < bytes_.end) {
        if (inBase64_) {
            DecodeGroup();
        } else {
            DecodeDirect();
        }
    }
}

void Utf7Units::DecodeDirect() {
    std::uint8_t b = *bytes_.cursor++;
    if (b != '+') {
        due_[count_++] = b;
        return;
    }
    if (bytes_.cursor < bytes_.end && *bytes_.cursor == '-') {
        ++bytes_.cursor;
        due_[count_++] = '+';
        return;
    }
    inBase64_ = true;
}

void Utf7Units::DecodeGroup() {
    std::uint32_t window = bytes_.Remaining() < kGroupLength ? bytes_.Remaining() : kGroupLength;
    std::uint64_t bits = 0;
    std::uint32_t k = 0;
    while (k < window && kBase64.value[bytes_.cursor[k]] != kNotBase64) {
        bits = bits << 6 | static_cast<std::uint64_t>(kBase64.value[bytes_.cursor[k]]);
        ++k;
    }
    bits <<= 6 * (kGroupLength - k);
    std::uint32_t units = k == 8 ? 3 : k >= 6 ? 2 : k >= 1 ? 1 : 0;
    for (std::uint32_t i = 0; i < units; ++i) due_[count_++] = static_cast<char16_t>(bits >> (32 - 16 * i));
    bytes_.cursor += k;
    if (k < kGroupLength) {
        inBase64_ = false;
        if (bytes_.cursor < bytes_.end && *bytes_.cursor == '-') ++bytes_.cursor;
    }
}

}  // namespace pathbook
