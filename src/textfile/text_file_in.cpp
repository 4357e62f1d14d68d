#include "textfile/text_file_in.h"

#include <cstddef>

#include "textfile/detection.h"
#include "textfile/text_reader_factory.h"

namespace pathbook {
namespace {

// Large enough that releasing costs next to nothing per byte decoded.
constexpr std::ptrdiff_t kReleaseStep = std::ptrdiff_t{1} << 20;

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
    return true;
}

ReadState TextFileIn::State() const { return decoder_ ? splitter_.State() : ReadState::kFinished; }

std::uint32_t TextFileIn::Read(char16_t* buffer, std::uint32_t capacity) {
    if (!decoder_) return 0;
    std::uint32_t count = splitter_.Read(buffer, capacity);
    ReleaseDecoded();
    return count;
}

void TextFileIn::ReleaseDecoded() {
    const std::uint8_t* position = decoder_->Position();
    if (position - released_ < kReleaseStep) return;
    file_.ReleaseBefore(position);
    released_ = position;
}

}  // namespace pathbook
