#include "textfile/text_file_in.h"

#include "textfile/detection.h"
#include "textfile/text_reader_factory.h"

namespace pathbook {

bool TextFileIn::Open(const char16_t* path) {
    decoder_.reset();
    if (!file_.Open(path)) return false;
    std::uint32_t examined = file_.Size() < kDetectionWindow ? file_.Size() : kDetectionWindow;
    Detection detection = DetectEncoding(file_.Data(), examined, charset_);
    charset_ = detection.charset;
    lineEnd_ = detection.lineEnd;
    noLineBreaks_ = detection.noLineBreaks;
    decoder_ = CreateTextReader(charset_, file_.Data(), file_.Size());
    return true;
}

ReadState TextFileIn::State() const { return decoder_ ? decoder_->State() : ReadState::kFinished; }

std::uint32_t TextFileIn::Read(char16_t* buffer, std::uint32_t capacity) {
    return decoder_ ? decoder_->Read(buffer, capacity) : 0;
}

}  // namespace pathbook
