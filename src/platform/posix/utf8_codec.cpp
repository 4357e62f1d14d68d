#include "platform/posix/utf8_codec.h"

#include "runtime/utf8.h"

namespace pathbook::platform::posix {
namespace {

// Stores units while they fit and counts all of them.
class UnitOut {
public:
    UnitOut(char16_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void Put(char16_t unit) {
        if (needed_ < capacity_) out_[needed_] = unit;
        ++needed_;
    }
    std::size_t Needed() const { return needed_; }

private:
    char16_t* out_;
    std::size_t capacity_;
    std::size_t needed_ = 0;
};

class ByteOut {
public:
    ByteOut(std::uint8_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void Put(std::uint32_t byte) {
        if (needed_ < capacity_) out_[needed_] = static_cast<std::uint8_t>(byte);
        ++needed_;
    }
    std::size_t Needed() const { return needed_; }

private:
    std::uint8_t* out_;
    std::size_t capacity_;
    std::size_t needed_ = 0;
};

// U+FFFD itself is EF BF BD; any other step that reads as U+FFFD was ill-formed.
bool IsWrittenReplacement(const std::uint8_t* bytes, const Utf8Step& step) {
    return step.length == 3 && bytes[0] == 0xEF && bytes[1] == 0xBF && bytes[2] == 0xBD;
}

}  // namespace

std::size_t DecodeUtf8(const std::uint8_t* bytes, std::size_t count, char16_t* out, std::size_t capacity,
                       bool* replaced) {
    UnitOut sink(out, capacity);
    char16_t units[2];
    bool anyReplaced = false;
    for (std::size_t i = 0; i < count;) {
        Utf8Step step = DecodeUtf8Step(bytes + i, count - i);
        if (step.codePoint == kReplacementCharacter && !IsWrittenReplacement(bytes + i, step)) anyReplaced = true;
        std::size_t length = EncodeUtf16CodePoint(step.codePoint, units);
        for (std::size_t k = 0; k < length; ++k) sink.Put(units[k]);
        i += step.length;
    }
    if (replaced != nullptr) *replaced = anyReplaced;
    return sink.Needed();
}

std::size_t EncodeUtf8(const char16_t* units, std::size_t count, std::uint8_t* out, std::size_t capacity,
                       bool* replaced) {
    ByteOut sink(out, capacity);
    std::uint8_t bytes[4];
    bool anyReplaced = false;
    for (std::size_t i = 0; i < count;) {
        bool surrogate = units[i] >= 0xD800 && units[i] <= 0xDFFF;
        char32_t codePoint = NextCodePoint(units, count, &i);
        if (surrogate && codePoint == kReplacementCharacter) anyReplaced = true;
        std::size_t length = EncodeUtf8CodePoint(codePoint, bytes);
        for (std::size_t k = 0; k < length; ++k) sink.Put(bytes[k]);
    }
    if (replaced != nullptr) *replaced = anyReplaced;
    return sink.Needed();
}

}  // namespace pathbook::platform::posix
