#include "links/known_folders.h"

#include <string>

#include "links/path_text.h"
#include "platform/program_folders.h"
#include "platform/shell_folder.h"
#include "runtime/ascii.h"

namespace pathbook {
namespace {

struct ProgramFolderRow {
    FolderId id;
    platform::ProgramFolder folder;
};

constexpr ProgramFolderRow kProgramFolders[] = {
    {kFolderWindows, platform::ProgramFolder::kWindows},
    {kFolderSystem, platform::ProgramFolder::kSystem},
    {kFolderTemporary, platform::ProgramFolder::kTemporary},
    {kFolderProgram, platform::ProgramFolder::kProgramFile},
    {kFolderCurrent, platform::ProgramFolder::kCurrentDirectory},
    {kFolderProgramFile, platform::ProgramFolder::kProgramFile},
};

// The order in which FindKnownFolder tries the folders.
constexpr FolderId kSearchOrder[] = {
    kFolderDocuments, kFolderCommonDocuments, kFolderTemporary, kFolderWindows,
    kFolderSystem,    kFolderProgram,         kFolderOneDrive,  kFolderDesktop,
};

std::u16string SystemPath(FolderId id) {
    if (id >= 0 && id <= kLastShellFolder) return platform::ShellFolderPath(id);
    for (const ProgramFolderRow& row : kProgramFolders) {
        if (row.id == id) return platform::ProgramFolderPath(row.folder);
    }
    return {};
}

char16_t Folded(char16_t c) {
    return c == u'/' ? u'\\' : AsciiToUpper(c);
}

bool StartsWithFolded(const String& path, const String& prefix) {
    if (prefix.Length() > path.Length()) return false;
    for (std::int32_t i = 0; i < prefix.Length(); ++i) {
        if (Folded(path[i]) != Folded(prefix[i])) return false;
    }
    return true;
}

// One folder up, unless that would leave no root at all.
void ClimbOneFolder(String& base) {
    String parent = base;
    SetTrailingSeparator(parent, false);
    RemoveLastComponent(parent);
    if (!parent.Empty()) base = parent;
}

}  // namespace

String FolderPath(FolderId id, bool trailingSeparator) {
    String path(SystemPath(id));
    if (id == kFolderOneDrive && !path.Empty()) path = path + u"\\OneDrive";
    if (id == kFolderProgramFile) return path;
    if (id == kFolderProgram) RemoveLastComponent(path);
    SetTrailingSeparator(path, trailingSeparator);
    return path;
}

String FolderName(FolderId id) { return FileNamePart(FolderPath(id, false)); }

FolderId FindKnownFolder(const String& path) {
    for (FolderId id : kSearchOrder) {
        String folder = FolderPath(id, true);
        if (!folder.Empty() && StartsWithFolded(path, folder)) return id;
    }
    return 0;
}

String ResolveDotPath(const String& text, FolderId id) {
    String base = FolderPath(id, true);
    std::u16string_view rest = text.View();
    while (!rest.empty() && rest[0] == u'.') {
        std::size_t dots = rest.size() >= 2 && rest[1] == u'.' ? 2 : 1;
        bool last = rest.size() == dots;
        if (!last && !IsPathSeparator(rest[dots])) break;
        if (dots == 2) ClimbOneFolder(base);
        rest.remove_prefix(last ? dots : dots + 1);
    }
    return base + String(rest);
}

}  // namespace pathbook
