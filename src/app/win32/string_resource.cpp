#include "app/win32/string_resource.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace pathbook {

String LoadStringResource(unsigned id) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    wchar_t buffer[256];
    int loaded = LoadStringW(module, id, buffer, 256);
    if (256 - loaded > 2) return String(platform::win32::Utf16(buffer), loaded);
    // The text may have been cut: grow until it fits with room to spare.
    String text;
    int size = 512;
    for (;;) {
        char16_t* area = text.WritableBuffer(size);
        loaded = LoadStringW(module, id, platform::win32::Wide(area), size);
        if (size - loaded > 2) break;
        size += 256;
    }
    text.SetLength(loaded);
    return text;
}

}  // namespace pathbook
