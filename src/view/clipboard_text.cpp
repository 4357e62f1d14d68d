#include "view/clipboard_text.h"

#include <algorithm>

namespace pathbook {
namespace {

constexpr std::size_t kFileListUnits = 260;  // the list's buffer, NUL included

bool KeptInLink(char16_t unit) { return unit > 0x1F && unit != u'<' && unit != u'>'; }

char16_t UnitAt(const Document& document, DocPos pos) {
    if (pos.line >= document.LineCount() || pos.column >= document.LineLength(pos.line)) return 0;
    return document.LineText(pos.line)[pos.column];
}

}  // namespace

TextSize ClipboardUnits(const Document& document, DocPos from, DocPos to) {
    return document.RangeLength(from, to) + 1;
}

void WriteClipboardText(const Document& document, DocPos from, DocPos to, char16_t* block) {
    document.CopyRange(block, from, to);
}

bool PasteGoesIntoLink(const Document& document, DocPos from, DocPos to) {
    if (to < from) std::swap(from, to);
    if (from.column == 0 || from.line >= document.LineCount()) return false;
    return UnitAt(document, DocPos::At(from.line, from.column - 1)) == u'<' && UnitAt(document, to) == u'>';
}

std::u16string PastedText(const char16_t* block, std::size_t units, bool intoLink) {
    if (block == nullptr) return {};
    const char16_t* end = std::find(block, block + units, u'\0');
    if (!intoLink) return std::u16string(block, end);
    std::u16string text;
    text.reserve(static_cast<std::size_t>(end - block));
    std::copy_if(block, end, std::back_inserter(text), KeptInLink);
    return text;
}

std::u16string FileListText(const std::vector<std::u16string>& paths) {
    std::u16string list;
    for (const std::u16string& path : paths) {
        const std::size_t room = kFileListUnits - list.size();
        if (path.size() + 4 >= room) continue;
        list += u'<';
        list += path;
        list += u">\r\n";
    }
    return list;
}

}  // namespace pathbook
