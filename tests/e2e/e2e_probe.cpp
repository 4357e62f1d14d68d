// e2e-probe.exe: what the end-to-end tests cannot see from X.
//   e2e-probe            one line per main window ("Pathbook MainWnd"), UTF-8:
//                        <handle> TAB <title> TAB <iconic 0|1> TAB <foreground 0|1> TAB <visible 0|1>
//   e2e-probe --out FILE ...  the same, written to FILE and ended by a line "." (for a
//                        probe started inside a Wine virtual desktop, which has no console
//                        and does not wait for the program)
//   e2e-probe closeall   asks every main window to close (as its system menu would),
//                        for windows of processes a test did not start itself
//   e2e-probe closebox H the screen point "x y" of the close box of window H, found
//                        by asking the window itself (WM_NCHITTEST) along its caption
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

bool IsCloseBox(HWND window, int x, int y) {
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
}

// Prints the middle of the close box: its top-right corner is the first hit
// scanning from the window's top-right corner, then it is measured left and down.
int PrintCloseBox(HWND window) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return 1;
    for (int y = frame.top; y < frame.top + 40 && y < frame.bottom; ++y) {
        for (int x = frame.right - 1; x > frame.right - 80 && x > frame.left; --x) {
            if (!IsCloseBox(window, x, y)) continue;
            int left = x;
            while (IsCloseBox(window, left - 1, y)) --left;
            int bottom = y;
            while (IsCloseBox(window, x, bottom + 1)) ++bottom;
            std::printf("%d %d\n", (left + x) / 2, (y + bottom) / 2);
            return 0;
        }
    }
    return 1;
}

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wstring(argv[1]) == L"--out") {
        if (_wfreopen(argv[2], L"w", stdout) == nullptr) return 2;
        std::atexit([] {
            std::printf(".\n");
            std::fflush(stdout);
        });
        argv += 2;
        argc -= 2;
    }
    if (argc == 2 && std::wstring(argv[1]) == L"closeall") {
        for (HWND window = FindWindowExW(nullptr, nullptr, L"Pathbook MainWnd", nullptr); window != nullptr;
             window = FindWindowExW(nullptr, window, L"Pathbook MainWnd", nullptr)) {
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    }
    if (argc == 3 && std::wstring(argv[1]) == L"closebox") {
        return PrintCloseBox(reinterpret_cast<HWND>(static_cast<UINT_PTR>(_wcstoui64(argv[2], nullptr, 10))));
    }
    const wchar_t* className = L"Pathbook MainWnd";
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
