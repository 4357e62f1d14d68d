#include "textfile/text_file_out.h"

#include "textfile/text_writer_factory.h"

namespace pathbook {
namespace {

struct LineBreak {
    char16_t units[2];
    std::uint32_t count;
};

// Indexed by LineEnd.
constexpr LineBreak kLineBreaks[] = {{{0x0D, 0}, 1}, {{0x0A, 0}, 1}, {{0x0D, 0x0A}, 2}};

constexpr char16_t kByteOrderMark = 0xFEFF;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char32_t CodePointAt(const char16_t* units, std::uint32_t count, std::uint32_t at) {
    if (IsHighSurrogate(units[at]) && at + 1 < count && IsLowSurrogate(units[at + 1])) {
        return 0x10000 + ((static_cast<char32_t>(units[at]) - 0xD800) << 10) + (units[at + 1] - 0xDC00);
    }
    return units[at];
}

std::uint32_t CharacterLength(const char16_t* units, std::uint32_t count, std::uint32_t at) {
    return CodePointAt(units, count, at) > 0xFFFF ? 2 : 1;
}

}  // namespace

bool TextFileOut::Open(const char16_t* path) {
    encoder_ = CreateTextWriter(charset_);
    failure_ = SaveFailure::kNone;
    lost_.clear();
    line_ = 0;
    if (!encoder_) {
        failure_ = SaveFailure::kNoEncoder;
        return false;
    }
    if (!file_.Open(path)) {
        encoder_.reset();
        failure_ = SaveFailure::kCannotCreate;
        return false;
    }
    check_ = std::make_unique<LossCheck>(charset_);
    std::string_view header = FileHeader(charset_);
    file_.WriteBytes(header.data(), header.size());
    auto style = static_cast<std::uint32_t>(lineEnd_);
    const LineBreak& lineBreak = kLineBreaks[style < 3 ? style : static_cast<std::uint32_t>(LineEnd::kCrLf)];
    lineBreak_.Clear();
    if (!encoder_->Encode(lineBreak.units, lineBreak.count, lineBreak_)) failure_ = SaveFailure::kConversionFailed;
    return true;
}

bool TextFileOut::Stopped() const {
    return !encoder_ || failure_ != SaveFailure::kNone ||
           (policy_ == LossPolicy::kRefuse && lost_.size() >= kReportedLosses);
}

void TextFileOut::WriteLine(const char16_t* units, std::uint32_t count, bool isLast) {
    if (Stopped()) return;
    bytes_.Clear();
    if (!encoder_->Encode(units, count, bytes_)) {
        failure_ = SaveFailure::kConversionFailed;
        return;
    }
    // The UTF-8 reader takes a mark at the very start of a file for the
    // encoding's, so a text that starts with one would lose it.
    if (line_ == 0 && charset_ == charset::kUtf8 && count > 0 && units[0] == kByteOrderMark) {
        lost_.push_back({0, 0, kByteOrderMark});
    }
    if (!check_->ComesBack(units, count, bytes_.Data(), bytes_.Size())) NoteLosses(units, count);
    file_.WriteBytes(bytes_.Data(), bytes_.Size());
    if (!isLast) file_.WriteBytes(lineBreak_.Data(), lineBreak_.Size());
    ++line_;
}

// Each loss is looked for in the rest of the line after the one before it. A
// line the check found lossy always gives at least one entry: its start, if
// no single character can be blamed.
void TextFileOut::NoteLosses(const char16_t* units, std::uint32_t count) {
    std::uint32_t from = 0;
    bool found = false;
    while (from < count && lost_.size() < kReportedLosses) {
        std::uint32_t at = from + check_->FirstLoss(units + from, count - from, *encoder_);
        if (at >= count) break;
        lost_.push_back({line_, at, CodePointAt(units, count, at)});
        found = true;
        from = at + CharacterLength(units, count, at);
    }
    if (!found && lost_.size() < kReportedLosses) {
        lost_.push_back({line_, 0, count > 0 ? CodePointAt(units, count, 0) : U'\0'});
    }
}

bool TextFileOut::Close() {
    if (!encoder_) return false;
    encoder_.reset();
    if (failure_ == SaveFailure::kNone && policy_ == LossPolicy::kRefuse && !lost_.empty()) {
        failure_ = SaveFailure::kLossy;
    }
    if (failure_ != SaveFailure::kNone) {
        file_.Discard();
        return false;
    }
    if (file_.Close()) return true;
    switch (file_.Outcome()) {
        case platform::CommitResult::kWriteFailed: failure_ = SaveFailure::kWriteFailed; break;
        case platform::CommitResult::kBothKept: failure_ = SaveFailure::kBothKept; break;
        default: failure_ = SaveFailure::kReplaceFailed; break;
    }
    return false;
}

std::u16string TextFileOut::SystemReason() const {
    bool system = failure_ == SaveFailure::kCannotCreate || failure_ == SaveFailure::kWriteFailed ||
                  failure_ == SaveFailure::kReplaceFailed || failure_ == SaveFailure::kBothKept;
    return system ? platform::SystemErrorText(file_.Error()) : std::u16string();
}

}  // namespace pathbook
