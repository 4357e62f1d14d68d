// A text file being saved: creates the encoder for the chosen encoding (which
// writes its mark or header at once), then takes the document's lines one by
// one and puts the chosen line break between them. Nothing replaces the
// existing file until Close succeeds; a failed or abandoned save leaves it as
// it was. Tested by text_file_test.cpp.
#pragma once

#include <memory>

#include "textfile/charset.h"
#include "textfile/file_writer.h"
#include "textfile/text_source.h"
#include "textfile/text_writer.h"

namespace pathbook {

class TextFileOut final : public TextSink {
public:
    TextFileOut(CharsetId charset, LineEnd lineEnd) : charset_(charset), lineEnd_(lineEnd) {}

    // Starts writing a replacement for `path`. False when it cannot be created
    // or the encoding needs a code page the system lacks.
    bool Open(const char16_t* path);

    // Does nothing unless Open succeeded.
    void WriteLine(const char16_t* units, std::uint32_t count, bool isLast) override;
    // True only when every byte reached the disk and the file took the place of
    // the old one. Also false when Open failed.
    bool Close() override;

private:
    // Declared before the encoder, which writes into it.
    FileWriter file_;
    std::unique_ptr<TextWriter> encoder_;
    CharsetId charset_;
    LineEnd lineEnd_;
};

}  // namespace pathbook
