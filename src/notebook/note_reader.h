// Reading a note exactly as the editor opens it: the same mapping, detection
// and decoder (TextFileIn), lines ended at every break the decoder produces.
// A file with a NUL byte in the bytes detection examines (the first 16 KiB)
// is binary, unless it was detected as UTF-16 or UTF-32, where NUL bytes are
// ordinary: it is not read.
// Tested by tests/unit/notebook/note_reader_test.cpp.
#pragma once

#include <cstdint>

#include "notebook/note_text.h"
#include "textfile/charset.h"
#include "textfile/text_file_in.h"

namespace pathbook {

enum class NoteOpen {
    kOpened,
    kBinary,
    kUnreadable,  // missing, a folder, no access, cannot be mapped
};

class NoteReader {
public:
    // Opens and detects; the bytes can then be looked at before ReadText.
    NoteOpen Open(const char16_t* path);

    // Valid after kOpened or kBinary.
    CharsetId Charset() const { return file_.Charset(); }
    const std::uint8_t* Bytes() const { return file_.Bytes(); }
    std::uint32_t Size() const { return file_.Size(); }

    // Decodes the whole note after kOpened; once only.
    NoteText ReadText();

private:
    TextFileIn file_;
};

// Open and ReadText in one: kOpened with the text and the encoding in `*text`
// and `*charset`, which are otherwise left alone.
NoteOpen ReadNote(const char16_t* path, NoteText* text, CharsetId* charset);

}  // namespace pathbook
