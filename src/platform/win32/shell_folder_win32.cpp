#include <windows.h>
#include <shlobj.h>

#include "platform/shell_folder.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

std::u16string ShellFolderPath(int csidl) {
    wchar_t path[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return win32::Utf16(path);
}

}  // namespace pathbook::platform
