// Ends a line at every CR and LF a decoder hands out as text. Decoders stop at
// the CR and LF bytes of the file, but some turn other bytes into those units
// (EUC-JP's single shift 3 before 0x8D gives a CR, EBCDIC code pages give LF
// for their own line byte). A document line must never hold a CR or LF unit:
// saving would write it as a break the user never saw. A decoded CR directly
// followed by a decoded LF is one break, as in the file's own text.
// Tested by decoded_break_splitter_test.cpp.
#pragma once

#include <string>

#include "textfile/text_reader.h"

namespace pathbook {

class DecodedBreakSplitter final : public TextSource {
public:
    // Reads from `decoder`, which must outlive this object; nullptr reads nothing.
    explicit DecodedBreakSplitter(TextReader* decoder = nullptr) : decoder_(decoder) {}

    ReadState State() const override { return state_; }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override;

private:
    // The units of the last read after the break found in them.
    std::uint32_t TakeHeld(char16_t* buffer, std::uint32_t capacity);
    // Ends the line at the first CR or LF among `count` units, holding the rest.
    std::uint32_t SplitAtBreak(char16_t* buffer, std::uint32_t count, ReadState readState, bool fromHeld);

    TextReader* decoder_;
    ReadState state_ = ReadState::kAtLineBreak;
    std::u16string held_;
    std::size_t heldAt_ = 0;
    bool holding_ = false;                        // held_ is served before the decoder is read again
    ReadState heldState_ = ReadState::kFinished;  // the decoder's state once held_ is used up
    bool afterDecodedCr_ = false;                 // a decoded LF now belongs to the CR before it
};

}  // namespace pathbook
