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

}  // namespace

bool TextFileOut::Open(const char16_t* path) {
    encoder_.reset();
    if (!file_.Open(path)) return false;
    encoder_ = CreateTextWriter(charset_, file_);
    return encoder_ != nullptr;
}

void TextFileOut::WriteLine(const char16_t* units, std::uint32_t count, bool isLast) {
    if (!encoder_) return;
    encoder_->Write(units, count);
    if (isLast) return;
    auto style = static_cast<std::uint32_t>(lineEnd_);
    const LineBreak& lineBreak = kLineBreaks[style < 3 ? style : static_cast<std::uint32_t>(LineEnd::kCrLf)];
    encoder_->Write(lineBreak.units, lineBreak.count);
}

bool TextFileOut::Close() {
    if (!encoder_) return false;
    encoder_.reset();
    return file_.Close();
}

}  // namespace pathbook
