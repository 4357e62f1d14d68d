// The position helpers of Document: caret steps by unit and by run, and the
// extents of links.
#include <algorithm>

#include "document/document.h"
#include "document/link_recognition.h"
#include "runtime/surrogates.h"

namespace pathbook {

DocPos Document::LeftOf(DocPos pos, bool byWord) const {
    Clamp(pos);
    if (pos.column == 0) {
        if (pos.line == 0) return pos;
        return {LineLength(pos.line - 1), pos.line - 1};
    }
    if (byWord) return WordStartOf({pos.column - 1, pos.line});
    const char16_t* text = LineText(pos.line);
    bool pair = pos.column >= 2 && IsHighSurrogate(text[pos.column - 2]) && IsLowSurrogate(text[pos.column - 1]);
    pos.column -= pair ? 2 : 1;
    return pos;
}

DocPos Document::RightOf(DocPos pos, bool byWord) const {
    Clamp(pos);
    const Line& line = *lines_[pos.line];
    if (pos.column == line.Length()) {
        if (pos.line + 1 == LineCount()) return pos;
        return DocPos::At(pos.line + 1, 0);
    }
    if (byWord) {
        const Attribute* words = line.Attributes();
        unsigned stored = RunLengthOf(words[pos.column]);
        Column end = std::min<Column>(pos.column + stored, line.Length());
        if (stored == 0 || stored == kLongRun) {
            while (end < line.Length() && RunLengthOf(words[end]) == 0) ++end;
        }
        return DocPos::At(pos.line, end);
    }
    const char16_t* text = line.Text();
    bool pair = IsHighSurrogate(text[pos.column]) && IsLowSurrogate(text[pos.column + 1]);
    pos.column += pair ? 2 : 1;
    return pos;
}

DocPos Document::WordStartOf(DocPos pos) const {
    Clamp(pos);
    const Line& line = *lines_[pos.line];
    if (pos.column == line.Length()) return pos;
    const Attribute* words = line.Attributes();
    while (pos.column > 0 && RunLengthOf(words[pos.column]) == 0) --pos.column;
    return pos;
}

DocPos Document::LinkStartOf(DocPos pos) const {
    Clamp(pos);
    const Line& line = *lines_[pos.line];
    if (pos.column == line.Length()) return pos;
    const Attribute* words = line.Attributes();
    if ((words[pos.column] & kLinkBit) == 0) return pos;
    while (line.Text()[pos.column] != u'<' && pos.column > 0 && (words[pos.column - 1] & kLinkBit) != 0) {
        --pos.column;
    }
    return pos;
}

DocPos Document::LinkEndOf(DocPos pos) const {
    Clamp(pos);
    const Line& line = *lines_[pos.line];
    if (pos.column == line.Length()) return pos;
    const Attribute* words = line.Attributes();
    if ((words[pos.column] & kLinkBit) == 0) return pos;
    while (line.Text()[pos.column] != u'>' && pos.column + 1 < line.Length() &&
           (words[pos.column + 1] & kLinkBit) != 0) {
        ++pos.column;
    }
    return pos;
}

DocPos Document::LinkPartEndOf(DocPos pos) const {
    Clamp(pos);
    const Line& line = *lines_[pos.line];
    if (pos.column == line.Length()) return pos;
    const Attribute* words = line.Attributes();
    if ((words[pos.column] & kLinkBit) == 0) return pos;
    const char16_t* text = line.Text();
    while (text[pos.column] != u'>' && IsPathChar(text[pos.column]) != kPathSeparatorClass &&
           pos.column + 1 < line.Length() && (words[pos.column + 1] & kLinkBit) != 0) {
        ++pos.column;
    }
    return pos;
}

bool Document::FindLinkBefore(DocPos pos, String& link) const {
    Clamp(pos);
    for (LineIndex lineIndex = pos.line + 1; lineIndex-- > 0;) {
        const Line& line = *lines_[lineIndex];
        Column start = line.Length();
        if (lineIndex == pos.line) start = pos.column < line.Length() ? pos.column + 1 : 0;
        const char16_t* text = line.Text();
        const Attribute* words = line.Attributes();
        for (Column column = start; column-- > 0;) {
            // Reading text[column + 1] at the line end meets the sentinel.
            if (text[column] != u'<' || (words[column] & kLinkBit) == 0) continue;
            if (text[column + 1] == u'.' || text[column + 1] == u'#') continue;
            Column close = LinkEndOf(DocPos::At(lineIndex, column)).column;
            Column length = close > column ? close - column - 1 : 0;
            link = String(text + column + 1, static_cast<std::int32_t>(length));
            return true;
        }
    }
    return false;
}

}  // namespace pathbook
