#include "textfile/code_page_writers.h"

#include "textfile/shift_jis_to_jis.h"

namespace pathbook {
namespace {

constexpr std::size_t kInitialCapacity = 0x10000;
constexpr platform::CodePage kShiftJis = 932;
constexpr std::uint8_t kShiftOut = 0x0E;
constexpr std::uint8_t kShiftIn = 0x0F;
constexpr std::uint8_t kEucSingleShift2 = 0x8E;

bool IsHalfWidthKatakana(std::uint8_t b) { return b >= 0xA1 && b <= 0xDF; }

// Walks converted bytes one character at a time; a lead byte at the very end
// (which a conversion never yields) stands alone.
class CharacterWalk {
public:
    CharacterWalk(const std::uint8_t* bytes, std::size_t length) : at_(bytes), end_(bytes + length) {}
    bool Done() const { return at_ == end_; }
    std::uint8_t Byte() { return *at_++; }
    std::uint8_t Trail() { return at_ < end_ ? *at_++ : 0; }

private:
    const std::uint8_t* at_;
    const std::uint8_t* end_;
};

void WriteEscape(FileWriter& file, const char* sequence) { file.WriteBytes(sequence, 3); }

}  // namespace

CodePageConversion::CodePageConversion(platform::CodePage codePage)
    : codePage_(codePage), buffer_(kInitialCapacity) {}

const std::uint8_t* CodePageConversion::Convert(const char16_t* units, std::uint32_t count, std::size_t* length) {
    *length = platform::EncodeCodePage(codePage_, units, count, buffer_.data(), buffer_.size(), nullptr);
    if (*length > buffer_.size()) {
        std::size_t grown = buffer_.size() * 2;
        buffer_.assign(grown > *length ? grown : *length, 0);
        *length = platform::EncodeCodePage(codePage_, units, count, buffer_.data(), buffer_.size(), nullptr);
    }
    return buffer_.data();
}

void CodePageWriter::Write(const char16_t* units, std::uint32_t count) {
    std::size_t length = 0;
    const std::uint8_t* bytes = conversion_.Convert(units, count, &length);
    file_.WriteBytes(bytes, length);
}

EucJpWriter::EucJpWriter(FileWriter& file) : TextWriter(file), conversion_(kShiftJis) {}

void EucJpWriter::Write(const char16_t* units, std::uint32_t count) {
    std::size_t length = 0;
    CharacterWalk walk(conversion_.Convert(units, count, &length), length);
    while (!walk.Done()) {
        std::uint8_t b = walk.Byte();
        if (b < 0x80) {
            file_.WriteByte(b);
        } else if (IsHalfWidthKatakana(b)) {
            file_.WriteByte(kEucSingleShift2);
            file_.WriteByte(b);
        } else {
            JisPair jis = ShiftJisToJis(b, walk.Trail());
            file_.WriteByte(jis.first | 0x80);
            file_.WriteByte(jis.second | 0x80);
        }
    }
}

Iso2022JpWriter::Iso2022JpWriter(FileWriter& file) : TextWriter(file), conversion_(kShiftJis) {}

void Iso2022JpWriter::Write(const char16_t* units, std::uint32_t count) {
    enum class Mode { kAscii, kKanji, kKatakana };
    static const char* const kEscapes[] = {"\x1B(B", "\x1B$B", "\x1B(I"};
    Mode mode = Mode::kAscii;
    auto switchTo = [&](Mode wanted) {
        if (mode != wanted) WriteEscape(file_, kEscapes[static_cast<int>(wanted)]);
        mode = wanted;
    };
    std::size_t length = 0;
    CharacterWalk walk(conversion_.Convert(units, count, &length), length);
    while (!walk.Done()) {
        std::uint8_t b = walk.Byte();
        if (b < 0x80) {
            switchTo(Mode::kAscii);
            file_.WriteByte(b);
        } else if (IsHalfWidthKatakana(b)) {
            switchTo(Mode::kKatakana);
            file_.WriteByte(b & 0x7F);
        } else {
            switchTo(Mode::kKanji);
            JisPair jis = ShiftJisToJis(b, walk.Trail());
            file_.WriteByte(jis.first);
            file_.WriteByte(jis.second);
        }
    }
    switchTo(Mode::kAscii);
}

Iso2022Writer::Iso2022Writer(FileWriter& file, platform::CodePage codePage, Shifts shifts)
    : TextWriter(file), conversion_(codePage), shifts_(shifts) {}

void Iso2022Writer::Write(const char16_t* units, std::uint32_t count) {
    bool hz = shifts_ == Shifts::kHz;
    bool doubleByte = false;
    auto shift = [&](bool toDoubleByte) {
        if (doubleByte == toDoubleByte) return;
        if (hz) {
            file_.WriteBytes(toDoubleByte ? "~{" : "~}", 2);
        } else {
            file_.WriteByte(toDoubleByte ? kShiftOut : kShiftIn);
        }
        doubleByte = toDoubleByte;
    };
    std::size_t length = 0;
    CharacterWalk walk(conversion_.Convert(units, count, &length), length);
    while (!walk.Done()) {
        std::uint8_t b = walk.Byte();
        if (b >= 0x80) {
            shift(true);
            file_.WriteByte(b & 0x7F);
            file_.WriteByte(walk.Trail() & 0x7F);
        } else {
            shift(false);
            file_.WriteByte(b);
            if (hz && b == '~') file_.WriteByte(b);
        }
    }
    shift(false);
}

}  // namespace pathbook
