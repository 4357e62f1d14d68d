#include "textfile/text_file_in.h"

#include <cstddef>

#include "runtime/unit_scan.h"
#include "textfile/detection.h"
#include "textfile/text_reader_factory.h"

namespace pathbook {
namespace {

// Large enough that releasing costs next to nothing per byte decoded.
constexpr std::ptrdiff_t kReleaseStep = std::ptrdiff_t{1} << 20;

class BorrowedFile final : public TextSource {
public:
    explicit BorrowedFile(TextFileIn& file) : file_(file) {}
    ReadState State() const override { return file_.State(); }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override { return file_.Read(buffer, capacity); }

private:
    TextFileIn& file_;
};

}  // namespace

bool TextFileIn::Open(const char16_t* path) {
    splitter_ = DecodedBreakSplitter();
    decoder_.reset();
    if (!file_.Open(path)) return false;
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

ReadState TextFileIn::State() const { return decoder_ ? splitter_.State() : ReadState::kFinished; }

std::uint32_t TextFileIn::Read(char16_t* buffer, std::uint32_t capacity) {
    if (!decoder_) return 0;
    std::uint32_t count = splitter_.Read(buffer, capacity);
    // The units are still in the cache: one more look for U+0000 costs little.
    if (!heldNul_ && count > 0) {
        heldNul_ = search::FindUnitForward(buffer, 0, static_cast<std::int32_t>(count) - 1, {0, 0}) >= 0;
    }
    ReleaseDecoded();
    return count;
}

std::unique_ptr<TextSource> TextFileIn::Borrow() { return std::make_unique<BorrowedFile>(*this); }

void TextFileIn::ReleaseDecoded() {
    const std::uint8_t* position = decoder_->Position();
    if (position - released_ < kReleaseStep) return;
    file_.ReleaseBefore(position);
    released_ = position;
}

}  // namespace pathbook
