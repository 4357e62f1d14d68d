// e2e-probe.exe: what the end-to-end tests cannot see from X. Prints one line
// per top-level window of the class given (default "Pathbook MainWnd"):
// <handle> TAB <title> TAB <iconic 0|1> TAB <foreground 0|1> TAB <visible 0|1>
// in UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* className = argc > 1 ? argv[1] : L"Pathbook MainWnd";
    HWND foreground = GetForegroundWindow();
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, className, nullptr)) {
        wchar_t title[512] = {};
        GetWindowTextW(window, title, 512);
        std::printf("%llu\t%s\t%d\t%d\t%d\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                    Utf8(title).c_str(), IsIconic(window) ? 1 : 0, window == foreground ? 1 : 0,
                    IsWindowVisible(window) ? 1 : 0);
    }
    return 0;
}
