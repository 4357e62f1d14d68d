// A text file opened for loading: maps it, detects its encoding and line-end
// style from its first 16384 bytes, and decodes it line by line for the
// document, ending a line at every CR and LF the decoder produces. The
// mapping lives exactly as long as this object; the pages already decoded
// leave memory as the decoder moves on, so a load holds the document but not
// the whole file.
//
// Opening reads only the start of the file, so a document can show its first
// lines at once and take the rest in slices. The bytes ahead of the decoder
// are read through the system a step at a time before the decoder sees them:
// a read error, or a file cut short while it loads, ends the text with
// Failed() instead of ending the process.
// Tested by text_file_test.cpp.
#pragma once

#include <cstdint>
#include <memory>

#include "textfile/charset.h"
#include "textfile/decoded_break_splitter.h"
#include "textfile/mapped_file.h"
#include "textfile/text_reader.h"

namespace pathbook {

class TextFileIn final : public TextSource {
public:
    // `requested` is the user's choice, 0 (AutoDetect) to detect.
    explicit TextFileIn(CharsetId requested = charset::kAutoDetect) : charset_(requested) {}

    // Maps `path`, detects and creates the decoder. False, with nothing else
    // changed, when the file cannot be opened, mapped, or its start read.
    // A caller that looks at all of Bytes() itself has every page read first
    // (PageCheck::kAtOpen); the decoder needs only its own reads ahead.
    bool Open(const char16_t* path, platform::PageCheck check = platform::PageCheck::kByReader);

    // Finished until Open succeeds, and once the file has failed.
    ReadState State() const override;
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override;
    bool Failed() const override { return failed_; }
    // Bytes decoded of the file's size.
    SourceProgress Progress() const override;

    // The requested encoding until Open, then the one detected.
    CharsetId Charset() const { return charset_; }
    LineEnd LineEndStyle() const { return lineEnd_; }
    // True when the examined bytes hold neither CR nor LF: the opening flow
    // then uses its default line-end style instead.
    bool NoLineBreaks() const { return noLineBreaks_; }
    std::uint32_t Attributes() const { return file_.Attributes(); }
    std::uint32_t Size() const { return file_.Size(); }
    // The file's Size() bytes as mapped, for a look at them before they are decoded.
    const std::uint8_t* Bytes() const { return file_.Data(); }

    // What the text read so far says about the load being exact: whether the
    // decoder replaced bytes that are no character of the encoding (or
    // dropped a cut-off unit at the end), and whether the text holds U+0000
    // (a binary file). Saving over such a file would not give its bytes back.
    bool ReplacedBytes() const { return decoder_ && decoder_->ReplacedBytes(); }
    bool HeldNul() const { return heldNul_; }

    // A source that reads this file, which must outlive it: for loading a
    // document through its owning interface and asking the above afterwards.
    std::unique_ptr<TextSource> Borrow();

private:
    // Lets the memory of the bytes decoded so far go, a step at a time.
    void ReleaseDecoded();
    // Keeps the bytes the decoder reads next confirmed; false when they cannot be read.
    bool ConfirmAhead();

    // Declared before the decoder, which reads the mapping, so that it is
    // destroyed after it.
    MappedFile file_;
    std::unique_ptr<TextReader> decoder_;
    DecodedBreakSplitter splitter_;  // reads decoder_
    CharsetId charset_;
    LineEnd lineEnd_ = LineEnd::kCrLf;
    bool noLineBreaks_ = true;
    const std::uint8_t* released_ = nullptr;  // the mapping's bytes before it were released
    bool heldNul_ = false;
    std::uint32_t confirmed_ = 0;             // bytes from the start read through the system
    bool failed_ = false;
};

}  // namespace pathbook
