#include "view/window_text.h"

#include <algorithm>

#include "runtime/surrogates.h"

namespace pathbook {

std::size_t CopyWindowText(const Document& document, char16_t* buffer, std::size_t capacity) {
    if (capacity == 0) return 0;
    const std::size_t room = capacity - 1;
    std::size_t written = 0;
    const LineIndex lines = document.LineCount();
    for (LineIndex line = 0; line < lines && written < room; ++line) {
        if (line > 0) {
            for (char16_t unit : {u'\r', u'\n'}) {
                if (written < room) buffer[written++] = unit;
            }
        }
        const std::size_t count = std::min<std::size_t>(document.LineLength(line), room - written);
        std::copy_n(document.LineText(line), count, buffer + written);
        written += count;
    }
    if (written > 0 && written == room && IsHighSurrogate(buffer[written - 1])) --written;
    buffer[written] = u'\0';
    return written;
}

}  // namespace pathbook
