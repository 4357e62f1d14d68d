// Cuts a text into lines: CR LF, a lone CR and a lone LF each end a line (LF CR
// is two breaks). A text that ends in a break yields a final empty piece.
#pragma once

#include <string_view>

namespace pathbook {

class LineSplitter {
public:
    explicit LineSplitter(std::u16string_view text) : text_(text) {}

    // The next piece, without its break; `isLast` is set when no break
    // followed it. Call only while !Done().
    std::u16string_view Next(bool& isLast);
    bool Done() const { return done_; }

private:
    std::u16string_view text_;
    std::size_t next_ = 0;  // start of the next piece
    bool done_ = false;     // the last piece was handed out
};

}  // namespace pathbook
