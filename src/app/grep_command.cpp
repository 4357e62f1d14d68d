#include "app/grep_command.h"

#include <string>

#include "links/path_text.h"

namespace pathbook {
namespace {

String DocumentFolder(const String& documentPath, const String& currentDirectory) {
    String folder = documentPath.Empty() ? currentDirectory : documentPath;
    if (documentPath.Empty()) {
        SetTrailingSeparator(folder, true);
        return folder;
    }
    RemoveLastComponent(folder);
    SetTrailingSeparator(folder, false);
    return folder;
}

}  // namespace

String ExpandGrepCommand(const String& pattern, const String& documentPath, const String& currentDirectory) {
    String folder = DocumentFolder(documentPath, currentDirectory);
    std::u16string out;
    std::u16string_view text = pattern.View();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            out.push_back(text[i]);
            continue;
        }
        if (++i == text.size()) break;
        switch (text[i]) {
            case u'1':
            case u'D': out.append(folder.View()); break;
            case u'F': out.append(documentPath.View()); break;
            case u'N': out.append(FileNamePart(documentPath).View()); break;
            default: out.push_back(text[i]); break;
        }
    }
    return String(out);
}

}  // namespace pathbook
