#include "textfile/loss_check.h"

#include <map>
#include <memory>
#include <string>

#include "runtime/unit_scan.h"
#include "textfile/decoded_break_splitter.h"
#include "textfile/text_reader_factory.h"
#include "textfile/text_writer_factory.h"
#include "textfile/unit_runs.h"

namespace pathbook {
namespace {

constexpr char16_t kProbeLetter = u'a';

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool HasShiftStates(CharsetId charset) {
    return charset == charset::kUtf7 || charset == charset::kIso2022Jp || charset == charset::kIso2022Kr ||
           charset == charset::kIso2022Cn || charset == charset::kHz;
}

// Whether reading `bytes[0..length)` in `charset` as a file gives exactly one
// line holding `units`.
bool ReadsBackAs(CharsetId charset, const std::uint8_t* bytes, std::size_t length, const char16_t* units,
                 std::uint32_t count) {
    std::unique_ptr<TextReader> reader = CreateTextReader(charset, bytes, static_cast<std::uint32_t>(length));
    DecodedBreakSplitter lines(reader.get());
    std::u16string text;
    char16_t buffer[1024];
    while (lines.State() != ReadState::kFinished) {
        std::uint32_t read = lines.Read(buffer, 1024);
        text.append(buffer, read);
        if (lines.State() == ReadState::kAtLineBreak || text.size() > count) return false;
        if (lines.State() == ReadState::kBufferFull && read == 0) break;
    }
    return text.size() == count && text.compare(0, count, units, count) == 0;
}

bool EncodesBack(CharsetId charset, TextWriter& writer, const char16_t* units, std::uint32_t count,
                 ByteBuffer& bytes) {
    bytes.Clear();
    return writer.Encode(units, count, bytes) && ReadsBackAs(charset, bytes.Data(), bytes.Size(), units, count);
}

// A boundary between characters at or next to `at`, strictly between `low`
// and `high`; `low` when there is none.
std::uint32_t BoundaryBetween(const char16_t* units, std::uint32_t low, std::uint32_t high, std::uint32_t at) {
    auto splitsPair = [&](std::uint32_t p) { return IsHighSurrogate(units[p - 1]) && IsLowSurrogate(units[p]); };
    if (!splitsPair(at)) return at;
    if (at + 1 < high) return at + 1;
    if (at - 1 > low) return at - 1;
    return low;
}

}  // namespace

// The units of one encoding that come back, one bit each, and the fastest
// test that gives the same answers: most encodings lose nothing but U+FEFF
// (the Unicode family, whose readers drop it) or nothing but unpaired
// surrogates (UTF-8), and keep printable ASCII.
class SurvivorTable {
public:
    explicit SurvivorTable(CharsetId charset) {
        std::unique_ptr<TextWriter> writer = CreateTextWriter(charset);
        if (!writer) return;
        ByteBuffer bytes;
        for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
            const char16_t probe[] = {kProbeLetter, static_cast<char16_t>(unit)};
            // A line never holds a break.
            bool comesBack =
                unit == kCarriageReturn || unit == kLineFeed || EncodesBack(charset, *writer, probe, 2, bytes);
            if (comesBack) bits_[unit >> 6] |= std::uint64_t{1} << (unit & 63);
        }
        const char16_t pair[] = {kProbeLetter, 0xD83D, 0xDE00};
        pairsComeBack_ = EncodesBack(charset, *writer, pair, 3, bytes);
        test_ = ChooseTest();
    }

    // The first unit of the first character that does not come back, or `count`.
    std::uint32_t FirstLoss(const char16_t* units, std::uint32_t count) const {
        switch (test_) {
            case Test::kAllButByteOrderMark: {
                std::int32_t at = search::FindUnitForward(units, 0, static_cast<std::int32_t>(count) - 1,
                                                          {kByteOrderMark, kByteOrderMark});
                return at < 0 ? count : static_cast<std::uint32_t>(at);
            }
            case Test::kWellFormed: return ByUnit(units, count, NonSurrogateRun(units, count));
            case Test::kTable: break;
        }
        return ByUnit(units, count, 0);
    }

    static const SurvivorTable& For(CharsetId charset) {
        static std::map<CharsetId, std::unique_ptr<SurvivorTable>> tables;
        std::unique_ptr<SurvivorTable>& table = tables[charset];
        if (!table) table = std::make_unique<SurvivorTable>(charset);
        return *table;
    }

private:
    enum class Test { kTable, kAllButByteOrderMark, kWellFormed };

    bool ComesBack(std::uint32_t unit) const { return bits_[unit >> 6] >> (unit & 63) & 1; }

    Test ChooseTest() {
        bool allButMark = pairsComeBack_;
        bool allButSurrogates = pairsComeBack_;
        for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
            bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
            allButMark = allButMark && ComesBack(unit) == (unit != kByteOrderMark);
            allButSurrogates = allButSurrogates && ComesBack(unit) == !surrogate;
        }
        printableAsciiComesBack_ = true;
        for (std::uint32_t unit = 0x20; unit < 0x7F; ++unit) printableAsciiComesBack_ &= ComesBack(unit);
        return allButMark ? Test::kAllButByteOrderMark : allButSurrogates ? Test::kWellFormed : Test::kTable;
    }

    // Unit by unit from `at`, passing over runs of printable ASCII when it all comes back.
    std::uint32_t ByUnit(const char16_t* units, std::uint32_t count, std::uint32_t at) const {
        while (at < count) {
            if (printableAsciiComesBack_ && units[at] >= 0x20 && units[at] < 0x7F) {
                at += PrintableAsciiRun(units + at, count - at);
                if (at == count) break;
            }
            char16_t unit = units[at];
            if (!ComesBack(unit)) {
                bool pair = pairsComeBack_ && IsHighSurrogate(unit) && at + 1 < count && IsLowSurrogate(units[at + 1]);
                if (!pair) return at;
                ++at;
            }
            ++at;
        }
        return count;
    }

    std::uint64_t bits_[0x10000 / 64] = {};
    bool pairsComeBack_ = false;
    bool printableAsciiComesBack_ = false;
    Test test_ = Test::kTable;
};

LossCheck::LossCheck(CharsetId charset)
    : charset_(charset), survivors_(HasShiftStates(charset) ? nullptr : &SurvivorTable::For(charset)) {}

bool LossCheck::ComesBack(const char16_t* units, std::uint32_t count, const std::uint8_t* bytes,
                          std::size_t length) const {
    if (survivors_ != nullptr) return survivors_->FirstLoss(units, count) == count;
    return ReadsBackAs(charset_, bytes, length, units, count);
}

// A prefix that comes back stays so when it is cut shorter: the longest one is
// found by halving, and the character after it is the first loss.
std::uint32_t LossCheck::FirstLoss(const char16_t* units, std::uint32_t count, TextWriter& writer) const {
    if (survivors_ != nullptr) return survivors_->FirstLoss(units, count);
    ByteBuffer bytes;
    if (EncodesBack(charset_, writer, units, count, bytes)) return count;
    std::uint32_t low = 0;  // units[0..low) comes back
    std::uint32_t high = count;  // units[0..high) does not
    while (high - low > 1) {
        std::uint32_t mid = BoundaryBetween(units, low, high, low + (high - low) / 2);
        if (mid == low) break;
        if (EncodesBack(charset_, writer, units, mid, bytes)) {
            low = mid;
        } else {
            high = mid;
        }
    }
    return low;
}

}  // namespace pathbook
