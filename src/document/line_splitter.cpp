#include "document/line_splitter.h"

namespace pathbook {

std::u16string_view LineSplitter::Next(bool& isLast) {
    std::size_t start = next_;
    std::size_t end = start;
    while (end < text_.size() && text_[end] != u'\r' && text_[end] != u'\n') ++end;
    isLast = end == text_.size();
    if (isLast) {
        done_ = true;
        next_ = end;
    } else {
        next_ = end + 1;
        if (text_[end] == u'\r' && next_ < text_.size() && text_[next_] == u'\n') ++next_;
    }
    return text_.substr(start, end - start);
}

}  // namespace pathbook
