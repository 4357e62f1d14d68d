#include <windows.h>
#include <shlobj.h>

#include "platform/local_data.h"
#include "platform/portable_mode.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

std::u16string LocalDataFolder() {
    const std::u16string portable = PortableFolder();
    if (!portable.empty()) return portable + u"\\LocalData";
    wchar_t path[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return std::u16string(win32::Utf16(path)) + u"\\Pathbook";
}

}  // namespace pathbook::platform
