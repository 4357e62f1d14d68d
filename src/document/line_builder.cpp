#include "document/line_builder.h"

namespace pathbook {

LineBuilder::LineBuilder(LineArena& arena) : arena_(arena) { text_.reserve(kKeptCapacity); }

Line* LineBuilder::Finish() {
    Line* line = Line::CreateIn(arena_, text_.data(), Line::CheckedLength(text_.size()));
    if (text_.capacity() > kKeptCapacity) {
        std::u16string().swap(text_);
        text_.reserve(kKeptCapacity);
    } else {
        text_.clear();
    }
    return line;
}

}  // namespace pathbook
