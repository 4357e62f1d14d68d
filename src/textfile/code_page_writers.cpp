#include "textfile/code_page_writers.h"

#include "textfile/shift_jis_to_jis.h"
#include "textfile/unit_runs.h"

namespace pathbook {
namespace {

constexpr platform::CodePage kShiftJis = 932;
constexpr std::uint8_t kShiftOut = 0x0E;
constexpr std::uint8_t kShiftIn = 0x0F;
constexpr std::uint8_t kEucSingleShift2 = 0x8E;
constexpr std::uint8_t kNoCharacter = '?';

bool IsHalfWidthKatakana(std::uint8_t b) { return b >= 0xA1 && b <= 0xDF; }
bool IsShiftJisLead(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Appends the conversion of `units` through `codePage` to `out`, straight into
// its room (three bytes a unit are enough for every code page but UTF-7, which
// is converted again when it needs more). False when the system produced
// nothing for units to convert.
bool AppendConverted(platform::CodePage codePage, const char16_t* units, std::uint32_t count, ByteBuffer& out) {
    if (count == 0) return true;
    std::size_t room = std::size_t{count} * 3 + 16;
    std::size_t length = platform::EncodeCodePage(codePage, units, count, out.Reserve(room), room, nullptr);
    if (length > room) length = platform::EncodeCodePage(codePage, units, count, out.Reserve(length), length, nullptr);
    if (length == 0) return false;
    out.Commit(length);
    return true;
}

// Walks converted bytes one character at a time; a lead byte at the very end
// (which a conversion never yields) stands alone.
class CharacterWalk {
public:
    explicit CharacterWalk(const ByteBuffer& bytes) : at_(bytes.Data()), end_(bytes.Data() + bytes.Size()) {}
    bool Done() const { return at_ == end_; }
    std::uint8_t Byte() { return *at_++; }
    bool HasTrail() const { return at_ < end_; }
    std::uint8_t Trail() { return at_ < end_ ? *at_++ : 0; }

private:
    const std::uint8_t* at_;
    const std::uint8_t* end_;
};

// Writes through a pointer into room reserved for the most a call can need.
class Output {
public:
    Output(ByteBuffer& out, std::size_t most) : out_(out), start_(out.Reserve(most)), at_(start_) {}
    ~Output() { out_.Commit(static_cast<std::size_t>(at_ - start_)); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void Put(std::uint8_t byte) { *at_++ = byte; }
    void Put(const char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) *at_++ = static_cast<std::uint8_t>(bytes[i]);
    }

private:
    ByteBuffer& out_;
    std::uint8_t* start_;
    std::uint8_t* at_;
};

// Whether the system writes U+0000-U+007F as the bytes of the same value.
bool KeepsAscii(platform::CodePage codePage) {
    char16_t ascii[0x80];
    std::uint8_t bytes[0x100];
    for (std::uint32_t i = 0; i < 0x80; ++i) ascii[i] = static_cast<char16_t>(i);
    if (platform::EncodeCodePage(codePage, ascii, 0x80, bytes, sizeof bytes, nullptr) != 0x80) return false;
    for (std::uint32_t i = 0; i < 0x80; ++i) {
        if (bytes[i] != i) return false;
    }
    return true;
}

}  // namespace

CodePageWriter::CodePageWriter(platform::CodePage codePage) : codePage_(codePage), keepsAscii_(KeepsAscii(codePage)) {}

bool CodePageWriter::Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) {
    if (!keepsAscii_ || AsciiRun(units, count) < count) return AppendConverted(codePage_, units, count, out);
    NarrowUnits(units, count, out.Reserve(count));
    out.Commit(count);
    return true;
}

bool EucJpWriter::Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) {
    shiftJis_.Clear();
    if (!AppendConverted(kShiftJis, units, count, shiftJis_)) return false;
    Output put(out, shiftJis_.Size() * 2);
    CharacterWalk walk(shiftJis_);
    while (!walk.Done()) {
        std::uint8_t b = walk.Byte();
        if (b < 0x80) {
            put.Put(b);
        } else if (IsHalfWidthKatakana(b)) {
            put.Put(kEucSingleShift2);
            put.Put(b);
        } else if (IsShiftJisLead(b) && walk.HasTrail()) {
            JisPair jis = ShiftJisToJis(b, walk.Trail());
            put.Put(jis.first | 0x80);
            put.Put(jis.second | 0x80);
        } else {
            put.Put(kNoCharacter);
        }
    }
    return true;
}

bool Iso2022JpWriter::Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) {
    enum class Mode { kAscii, kKanji, kKatakana };
    static const char* const kEscapes[] = {"\x1B(B", "\x1B$B", "\x1B(I"};
    shiftJis_.Clear();
    if (!AppendConverted(kShiftJis, units, count, shiftJis_)) return false;
    // At most an escape before every byte, and one at the end.
    Output put(out, shiftJis_.Size() * 4 + 3);
    Mode mode = Mode::kAscii;
    auto switchTo = [&](Mode wanted) {
        if (mode != wanted) put.Put(kEscapes[static_cast<int>(wanted)], 3);
        mode = wanted;
    };
    CharacterWalk walk(shiftJis_);
    while (!walk.Done()) {
        std::uint8_t b = walk.Byte();
        if (b < 0x80) {
            switchTo(Mode::kAscii);
            put.Put(b);
        } else if (IsHalfWidthKatakana(b)) {
            switchTo(Mode::kKatakana);
            put.Put(b & 0x7F);
        } else if (IsShiftJisLead(b) && walk.HasTrail()) {
            switchTo(Mode::kKanji);
            JisPair jis = ShiftJisToJis(b, walk.Trail());
            put.Put(jis.first);
            put.Put(jis.second);
        } else {
            switchTo(Mode::kAscii);
            put.Put(kNoCharacter);
        }
    }
    switchTo(Mode::kAscii);
    return true;
}

bool Iso2022Writer::Encode(const char16_t* units, std::uint32_t count, ByteBuffer& out) {
    bool hz = shifts_ == Shifts::kHz;
    doubleBytes_.Clear();
    if (!AppendConverted(codePage_, units, count, doubleBytes_)) return false;
    // At most a two-byte shift before every byte (or "~~" for a "~"), and one at the end.
    Output put(out, doubleBytes_.Size() * 4 + 2);
    bool doubleByte = false;
    auto shift = [&](bool toDoubleByte) {
        if (doubleByte == toDoubleByte) return;
        if (hz) {
            put.Put(toDoubleByte ? "~{" : "~}", 2);
        } else {
            put.Put(toDoubleByte ? kShiftOut : kShiftIn);
        }
        doubleByte = toDoubleByte;
    };
    CharacterWalk walk(doubleBytes_);
    while (!walk.Done()) {
        std::uint8_t b = walk.Byte();
        if (b >= 0x80) {
            shift(true);
            put.Put(b & 0x7F);
            put.Put(walk.Trail() & 0x7F);
        } else {
            shift(false);
            put.Put(b);
            if (hz && b == '~') put.Put(b);
        }
    }
    shift(false);
    return true;
}

}  // namespace pathbook
