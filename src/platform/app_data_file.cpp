// Where the settings and the favourites live (shell_folder.h).
#include "platform/portable_mode.h"
#include "platform/shell_folder.h"

namespace pathbook::platform {

std::u16string AppDataFilePath(std::u16string_view name) {
    std::u16string path = PortableFolder();
    if (path.empty()) path = ShellFolderPath(kShellFolderAppData);
    if (!path.empty() && path.back() != u'\\') path.push_back(u'\\');
    return path.append(name);
}

}  // namespace pathbook::platform
