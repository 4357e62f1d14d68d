#include "textfile/iso2022_reader.h"

#include "runtime/ascii_widen.h"

namespace pathbook {
namespace {

constexpr std::uint8_t kShiftOut = 0x0E;
constexpr std::uint8_t kShiftIn = 0x0F;
constexpr std::uint8_t kEscape = 0x1B;
constexpr std::uint8_t kSingleShift2 = 0x8E;
constexpr std::uint8_t kSingleShift3 = 0x8F;

bool IsBreak(std::uint8_t b) { return b == kCarriageReturn || b == kLineFeed; }
bool IsBreakUnit(char16_t unit) { return unit == kCarriageReturn || unit == kLineFeed; }

// ESC I F: which of G0-G3 the intermediate byte (or, after "$", F) names.
std::uint8_t DesignationIndex(std::uint8_t b) { return static_cast<std::uint8_t>((b - 0x28) & 3); }

}  // namespace

Iso2022Reader::Iso2022Reader(const Iso2022Config& config, ByteCursor bytes, bool plainRuns)
    : fixedSets_(config.fixedSets), hz_(config.hz), plainRuns_(plainRuns), bytes_(bytes) {
    for (int i = 0; i < 4; ++i) designations_[i] = config.designations[i];
}

std::uint32_t Iso2022Reader::Read(char16_t* buffer, std::uint32_t capacity) {
    buffer_ = buffer;
    capacity_ = capacity;
    stored_ = 0;
    mayHoldBreaks_ = false;
    std::uint32_t window = capacity > 1 ? capacity / 2 : 1;
    const std::uint8_t* limit = bytes_.Remaining() <= window ? bytes_.end : bytes_.cursor + window;
    state_ = ReadState::kBufferFull;
    // Past the window only while nothing is stored: a long run of escapes and
    // shifts must not look like a read that makes no progress.
    while (bytes_.cursor < bytes_.end && (bytes_.cursor < limit || stored_ == 0)) {
        if (bytes_.cursor < limit) {
            const std::uint8_t* before = bytes_.cursor;
            TakePlainRun(limit);
            if (bytes_.cursor != before) continue;
        }
        std::uint8_t b = *bytes_.cursor;
        if (IsBreak(b)) {
            state_ = ReadState::kAtLineBreak;
            break;
        }
        if (stored_ == capacity_) break;
        if (b == kShiftOut || b == kShiftIn) {
            gl_ = b == kShiftOut ? 1 : 0;
            ++bytes_.cursor;
        } else if (b == kEscape) {
            HandleEscape();
        } else if (b == '~' && hz_ && bytes_.Remaining() >= 2) {
            HandleTilde();
        } else if (b == kSingleShift2 || b == kSingleShift3) {
            singleShift_ = b == kSingleShift2 ? SingleShift::kG2 : SingleShift::kG3;
            ++bytes_.cursor;
        } else {
            DecodeCharacter();
        }
    }
    if (state_ != ReadState::kAtLineBreak && bytes_.cursor == bytes_.end) state_ = ReadState::kFinished;
    if (state_ == ReadState::kAtLineBreak) {
        bool crLf = bytes_.cursor[0] == kCarriageReturn && bytes_.Remaining() >= 2 && bytes_.cursor[1] == kLineFeed;
        bytes_.cursor += crLf ? 2 : 1;
    }
    return stored_;
}

void Iso2022Reader::HandleEscape() {
    if (bytes_.Remaining() < 2) {
        ++bytes_.cursor;
        return;
    }
    switch (bytes_.cursor[1]) {
        case '~': gr_ = 1; break;
        case 'N': singleShift_ = SingleShift::kG2; break;
        case 'O': singleShift_ = SingleShift::kG3; break;
        default:
            if (bytes_.Remaining() >= 3) {
                Designate();
                return;
            }
            break;
    }
    bytes_.cursor += 2;
}

void Iso2022Reader::Designate() {
    std::uint8_t intermediate = bytes_.cursor[1];
    std::uint8_t final = bytes_.cursor[2];
    bool fourBytes = intermediate == '$' && final != '@' && final != 'A' && final != 'B' &&
                     bytes_.Remaining() >= 4 && (bytes_.cursor[3] == 'A' || bytes_.cursor[3] == 'C');
    if (!fixedSets_) {
        if (final == 'J' || final == 'I') {
            designations_[DesignationIndex(intermediate)] = final == 'J' ? CharacterSet::kAscii : CharacterSet::kKatakana;
        } else if (intermediate == '(' && final == 'B') {
            designations_[0] = CharacterSet::kAscii;
        } else if (intermediate == '.' && final == 'A') {
            designations_[2] = CharacterSet::kLatin1Upper;
        } else if (intermediate == '$' && (final == '@' || final == 'B')) {
            designations_[0] = CharacterSet::kJisX0208;
        } else if (intermediate == '$' && final == 'A') {
            designations_[0] = CharacterSet::kGb2312;
        } else if (fourBytes) {
            designations_[DesignationIndex(final)] =
                bytes_.cursor[3] == 'A' ? CharacterSet::kGb2312 : CharacterSet::kKsX1001;
        }
    }
    bytes_.cursor += fourBytes ? 4 : 3;
}

void Iso2022Reader::HandleTilde() {
    std::uint8_t next = bytes_.cursor[1];
    if (next == '{' || next == '}') {
        gl_ = next == '{' ? 1 : 0;
        bytes_.cursor += 2;
        return;
    }
    // "~~" is one "~"; a "~" before anything else is dropped. A line break
    // after it is left to the loop.
    ++bytes_.cursor;
    if (!IsBreak(next)) DecodeCharacter();
}

// A double-byte character cut off by the end of the file, or whose second
// byte is a line break, becomes U+FFFD and gives up only its first byte.
void Iso2022Reader::DecodeCharacter() {
    std::uint8_t first = *bytes_.cursor;
    CharacterSet set = singleShift_ == SingleShift::kG2   ? designations_[2]
                       : singleShift_ == SingleShift::kG3 ? designations_[3]
                       : first >= 0x80                    ? designations_[gr_]
                                                          : designations_[gl_];
    singleShift_ = SingleShift::kNone;
    char16_t units[kMaxUnitsPerCharacter];
    std::uint32_t count = 0;
    bool replaced = false;
    if (!IsDoubleByte(set)) {
        count = DecodeSetCharacter(set, first, 0, units, &replaced);
        bytes_.cursor += 1;
    } else if (bytes_.Remaining() < 2 || IsBreak(bytes_.cursor[1])) {
        units[count++] = kReplacementCharacter;
        replaced = true;
        bytes_.cursor += 1;
    } else {
        count = DecodeSetCharacter(set, first, bytes_.cursor[1], units, &replaced);
        bytes_.cursor += 2;
    }
    replacedBytes_ = replacedBytes_ || replaced;
    for (std::uint32_t i = 0; i < count && stored_ < capacity_; ++i) buffer_[stored_++] = units[i];
    mayHoldBreaks_ = mayHoldBreaks_ || count > 0;
}

void Iso2022Reader::TakePlainRun(const std::uint8_t* limit) {
    if (!plainRuns_ || hz_ || singleShift_ != SingleShift::kNone || designations_[gl_] != CharacterSet::kAscii) return;
    const CharacterSet gr = designations_[gr_];
    const bool grDouble = IsDoubleByte(gr);
    DoubleByteUnits* grUnits = grDouble ? &DoubleByteUnits::Of(gr) : nullptr;
    const std::uint8_t* at = bytes_.cursor;
    char16_t* out = buffer_ + stored_;
    char16_t* const outEnd = buffer_ + capacity_;
    while (at < limit && outEnd - out >= static_cast<std::ptrdiff_t>(kMaxUnitsPerCharacter)) {
        const std::uint8_t b = *at;
        if (b < 0x80) {
            // SO, SI, ESC, CR and LF are not plain: the loop of Read takes them.
            if (!IsPlainAscii(b)) break;
            if (outEnd - out >= limit - at) {
                at = WidenPlainAscii(at, limit, out);
                if (at == limit || !IsPlainAscii(*at)) continue;
            }
            *out++ = *at++;
            continue;
        }
        if (b == kSingleShift2 || b == kSingleShift3) break;
        if (!grDouble) {
            bool replaced = false;
            const std::uint32_t count = DecodeSetCharacter(gr, b, 0, out, &replaced);
            replacedBytes_ = replacedBytes_ || replaced;
            for (std::uint32_t i = 0; i < count; ++i) mayHoldBreaks_ = mayHoldBreaks_ || IsBreakUnit(out[i]);
            out += count;
            ++at;
            continue;
        }
        // A character cut off by the end or by a line break is the loop's.
        const char16_t unit = bytes_.end - at >= 2 && !IsBreak(at[1]) ? grUnits->Plain(b, at[1]) : 0;
        if (unit == 0) break;
        *out++ = unit;
        at += 2;
    }
    stored_ = static_cast<std::uint32_t>(out - buffer_);
    bytes_.cursor = at;
}

}  // namespace pathbook
