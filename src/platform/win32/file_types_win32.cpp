#include <windows.h>

#include <string>

#include "platform/file_types.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

// Looked up at run time: not every shell library has it.
bool SystemCallsTypeUnsafe(std::u16string_view extension) {
    using IsDangerousFunction = BOOL(WINAPI*)(LPCWSTR);
    HMODULE library = LoadLibraryW(L"shlwapi.dll");
    if (library == nullptr) return false;
    auto isDangerous =
        reinterpret_cast<IsDangerousFunction>(reinterpret_cast<void*>(GetProcAddress(library, "AssocIsDangerous")));
    const std::u16string text(extension);
    const bool unsafe = isDangerous != nullptr && !text.empty() && isDangerous(win32::Wide(text.c_str())) != FALSE;
    FreeLibrary(library);
    return unsafe;
}

}  // namespace pathbook::platform
