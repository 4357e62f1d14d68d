#include "textfile/text_file_in.h"

#include <cstddef>

#include "runtime/unit_scan.h"
#include "textfile/detection.h"
#include "textfile/text_reader_factory.h"

namespace pathbook {
namespace {

// Large enough that releasing costs next to nothing per byte decoded.
constexpr std::ptrdiff_t kReleaseStep = std::ptrdiff_t{1} << 20;
// Bytes confirmed at a time, and how close the decoder may come to their end
// before the next step is read: one read of the document's moves a decoder
// a few hundred bytes at most.
constexpr std::uint32_t kConfirmStep = 1u << 20;
constexpr std::uint32_t kConfirmMargin = 1u << 18;

class BorrowedFile final : public TextSource {
public:
    explicit BorrowedFile(TextFileIn& file) : file_(file) {}
    ReadState State() const override { return file_.State(); }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override { return file_.Read(buffer, capacity); }
    bool Failed() const override { return file_.Failed(); }
    SourceProgress Progress() const override { return file_.Progress(); }

private:
    TextFileIn& file_;
};

}  // namespace

bool TextFileIn::Open(const char16_t* path, platform::PageCheck check) {
    splitter_ = DecodedBreakSplitter();
    decoder_.reset();
    failed_ = false;
    if (!file_.Open(path, check)) return false;
    confirmed_ = file_.Size() < kConfirmStep ? file_.Size() : kConfirmStep;
    if (!file_.Confirm(0, confirmed_)) {
        file_.Close();
        return false;
    }
    std::uint32_t examined = file_.Size() < kDetectionWindow ? file_.Size() : kDetectionWindow;
    Detection detection = DetectEncoding(file_.Data(), examined, charset_);
    charset_ = detection.charset;
    lineEnd_ = detection.lineEnd;
    noLineBreaks_ = detection.noLineBreaks;
    decoder_ = CreateTextReader(charset_, file_.Data(), file_.Size());
    splitter_ = DecodedBreakSplitter(decoder_.get());
    released_ = file_.Data();
    heldNul_ = false;
    return true;
}

ReadState TextFileIn::State() const {
    return decoder_ && !failed_ ? splitter_.State() : ReadState::kFinished;
}

std::uint32_t TextFileIn::Read(char16_t* buffer, std::uint32_t capacity) {
    if (!decoder_ || failed_) return 0;
    if (!ConfirmAhead()) {
        failed_ = true;
        return 0;
    }
    std::uint32_t count = splitter_.Read(buffer, capacity);
    // The units are still in the cache: one more look for U+0000 costs little.
    if (!heldNul_ && count > 0) {
        heldNul_ = search::FindUnitForward(buffer, 0, static_cast<std::int32_t>(count) - 1, {0, 0}) >= 0;
    }
    ReleaseDecoded();
    return count;
}

std::unique_ptr<TextSource> TextFileIn::Borrow() { return std::make_unique<BorrowedFile>(*this); }

SourceProgress TextFileIn::Progress() const {
    if (!decoder_) return {};
    return {static_cast<std::uint64_t>(decoder_->Position() - file_.Data()), file_.Size()};
}

bool TextFileIn::ConfirmAhead() {
    const std::uint64_t wanted = static_cast<std::uint64_t>(decoder_->Position() - file_.Data()) + kConfirmMargin;
    while (confirmed_ < file_.Size() && confirmed_ < wanted) {
        const std::uint32_t next = file_.Size() - confirmed_ < kConfirmStep ? file_.Size() : confirmed_ + kConfirmStep;
        if (!file_.Confirm(confirmed_, next)) return false;
        confirmed_ = next;
    }
    return true;
}

void TextFileIn::ReleaseDecoded() {
    const std::uint8_t* position = decoder_->Position();
    if (position - released_ < kReleaseStep) return;
    file_.ReleaseBefore(position);
    released_ = position;
}

}  // namespace pathbook
