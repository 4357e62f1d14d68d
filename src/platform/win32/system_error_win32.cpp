#include <windows.h>

#include "platform/system_error.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

SystemError LastSystemError() { return GetLastError(); }

std::u16string SystemErrorText(SystemError error) {
    if (error == 0) return {};
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                  nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message = length > 0 ? std::u16string(win32::Utf16(text), length) : std::u16string();
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n' || message.back() == u' ')) {
        message.pop_back();
    }
    return message;
}

}  // namespace pathbook::platform
