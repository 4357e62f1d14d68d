// e2e-view-host.exe: the editor view alone in a top-level window, for the
// view's end-to-end tests and its paint benchmark.
//   e2e-view-host [options]
//     --file PATH         the text (UTF-8) to show
//     --lines N           or N generated lines "line 1" .. "line N"
//     --wrap W            -1 none (default), 0 at the window's edge, n after n letters
//     --numbers           the line-number margin
//     --missing L F T     marks units F..T of line L (0-based) as the missing part of a link
//     --size WxH          the window's outer size (default 640x480)
//     --scheme S          light (default), dark, or contrast: high contrast in the system colours of
//                         the black high-contrast theme
//     --bench N           paints the full window N times, then the same text in an EDIT
//                         control N times, prints "view <ms> edit <ms> gdi <calls>" and exits
//     --keys N            types N letters from the middle line down, each followed by the paint
//                         it causes; prints "key <ms per key> invalid <tallest invalid px> row <row px>"
//                         and exits
// The title shows the view's state for the tests:
//   "view-host rows R top T maxtop M height H margin W" (row height and margin width in pixels).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "framework/message_loop.h"
#include "framework/window.h"
#include "config/doc_type.h"
#include "config/view_palette.h"
#include "document/document.h"
#include "document/edit_command.h"
#include "view/scrolling.h"
#include "view/win32/control_window.h"

namespace pathbook {
namespace {

constexpr wchar_t kHostClass[] = L"Pathbook ViewHost";
constexpr UINT_PTR kTitleTimer = 1;

struct Options {
    std::wstring file;
    long lines = 0;
    std::int32_t wrap = kNoWrap;
    bool numbers = false;
    bool missing = false;
    LineIndex missingLine = 0;
    Column missingFrom = 0;
    Column missingTo = 0;
    int width = 640;
    int height = 480;
    int benchRounds = 0;
    int keys = 0;
    ColorScheme scheme = ColorScheme::kLight;
};

// The black high-contrast theme's window, text, highlight, highlighted text, grey text and link colours.
constexpr SystemColors kHighContrastBlack{0x000000, 0xFFFFFF, 0xFFEB1A, 0x000000, 0x3FF23F, 0x00FFFF};

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool more = i + 1 < argc;
        if (arg == L"--file" && more) options.file = argv[++i];
        else if (arg == L"--lines" && more) options.lines = std::wcstol(argv[++i], nullptr, 10);
        else if (arg == L"--wrap" && more) options.wrap = std::wcstol(argv[++i], nullptr, 10);
        else if (arg == L"--numbers") options.numbers = true;
        else if (arg == L"--size" && more) std::swscanf(argv[++i], L"%dx%d", &options.width, &options.height);
        else if (arg == L"--bench" && more) options.benchRounds = std::wcstol(argv[++i], nullptr, 10);
        else if (arg == L"--keys" && more) options.keys = std::wcstol(argv[++i], nullptr, 10);
        else if (arg == L"--scheme" && more) {
            const std::wstring scheme = argv[++i];
            if (scheme == L"dark") options.scheme = ColorScheme::kDark;
            if (scheme == L"contrast") options.scheme = ColorScheme::kHighContrast;
        }
        else if (arg == L"--missing" && i + 3 < argc) {
            options.missing = true;
            options.missingLine = std::wcstoul(argv[++i], nullptr, 10);
            options.missingFrom = std::wcstoul(argv[++i], nullptr, 10);
            options.missingTo = std::wcstoul(argv[++i], nullptr, 10);
        }
    }
    return options;
}

std::u16string ReadText(const Options& options) {
    if (options.file.empty()) {
        std::u16string text;
        for (long i = 1; i <= options.lines; ++i) {
            const std::string line = "line " + std::to_string(i) + (i < options.lines ? "\r\n" : "");
            text.append(line.begin(), line.end());
        }
        return text;
    }
    std::ifstream in(options.file.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string text(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(text.data()), size);
    return text;
}

class HostWindow final : public Window {
public:
    HostWindow(Document& document, const Options& options)
        : Window(kHostClass, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0), control_(document), options_(options) {
        WNDCLASSEXW classInfo{};
        classInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        classInfo.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        classInfo.lpszClassName = kHostClass;
        RegisterWindowClass(classInfo);
    }
    ~HostWindow() override { Destroy(); }

    ControlWindow& Control() { return control_; }

    // Full-window paints of the view, then of an EDIT control showing the same
    // text in the same font: "view <ms per paint> edit <ms per paint> gdi <calls per paint>".
    void Benchmark(const std::u16string& text, int rounds) {
        const double view = TimePaints(control_.View().Handle(), rounds);
        const std::uint32_t calls = control_.View().LastPaintGdiCalls();
        RECT client{};
        GetClientRect(Handle(), &client);
        HWND edit = CreateWindowExW(0, L"EDIT", reinterpret_cast<const wchar_t*>(text.c_str()),
                                    WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                    client.right, client.bottom, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        LOGFONTW record = control_.View().FontRecord();
        HFONT font = CreateFontIndirectW(&record);
        SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        ShowWindow(control_.Handle(), SW_HIDE);
        const double editTime = TimePaints(edit, rounds);
        std::printf("view %.3f edit %.3f gdi %u\n", view, editTime, calls);
        std::fflush(stdout);
        DestroyWindow(edit);
        DeleteObject(font);
    }

    // Keystroke to painted row: WM_CHAR, then the WM_PAINT it caused, timed together;
    // the invalid area each keystroke leaves shows how much of the window it repaints.
    // Forty letters go into each line from the middle down, so that the caret never
    // reaches the right edge, where every letter would also scroll the view.
    void TypeInMiddle(int keys) {
        constexpr int kLettersPerLine = 40;
        HWND view = control_.View().Handle();
        const LineIndex middle = static_cast<LineIndex>(options_.lines / 2);
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        LONGLONG ticks = 0;
        LONG tallest = 0;
        for (int i = 0; i < keys; ++i) {
            if (i % kLettersPerLine == 0) {
                control_.View().Input()->selection.SetCaret(DocPos::At(middle + i / kLettersPerLine, 0), false);
                UpdateWindow(view);
                GdiFlush();
            }
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            SendMessageW(view, WM_CHAR, L'x', 1);
            RECT invalid{};
            GetUpdateRect(view, &invalid, FALSE);
            UpdateWindow(view);
            GdiFlush();
            QueryPerformanceCounter(&end);
            ticks += end.QuadPart - start.QuadPart;
            if (invalid.bottom - invalid.top > tallest) tallest = invalid.bottom - invalid.top;
        }
        const double perKey = 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart) / keys;
        std::printf("key %.4f invalid %ld row %d\n", perKey, tallest,
                    control_.View().Core()->CurrentLayout().Measures().LineHeight());
        std::fflush(stdout);
    }

protected:
    void OnCreate(CREATESTRUCTW&) override {
        control_.Create(Handle(), 1);
        DocType type = DefaultDocType(u"Default");
        control_.View().Apply(type.appearance, options_.wrap, options_.numbers);
        control_.View().SetColorScheme(options_.scheme, kHighContrastBlack);
        SetTimer(Handle(), kTitleTimer, 100, nullptr);
    }
    void OnDestroy() override {
        KillTimer(Handle(), kTitleTimer);
        PostQuitMessage(0);
    }
    bool OnSize(UINT, int width, int height) override {
        MoveWindow(control_.Handle(), 0, 0, width, height, TRUE);
        return true;
    }
    bool OnFocus(bool gained) override {
        if (gained) SetFocus(control_.Handle());
        return gained;
    }
    bool OnTimer(UINT_PTR) override {
        const EditViewCore* core = control_.View().Core();
        if (core == nullptr) return true;
        const Layout& layout = core->CurrentLayout();
        wchar_t title[160];
        std::swprintf(title, 160, L"view-host rows %llu top %llu maxtop %llu height %d margin %d",
                      static_cast<unsigned long long>(layout.Rows().TotalRows()),
                      static_cast<unsigned long long>(core->CurrentViewport().topRow),
                      static_cast<unsigned long long>(MaxTopRow(layout)), layout.Measures().LineHeight(),
                      layout.TextLeft());
        wchar_t old[160] = L"";
        GetWindowTextW(Handle(), old, 160);
        if (std::wcscmp(old, title) != 0) SetWindowTextW(Handle(), title);
        return true;
    }

private:
    static double TimePaints(HWND window, int rounds) {
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        GdiFlush();
        QueryPerformanceCounter(&start);
        for (int i = 0; i < rounds; ++i) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            GdiFlush();
        }
        QueryPerformanceCounter(&end);
        return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) /
               rounds;
    }

    ControlWindow control_;
    const Options& options_;
};

}  // namespace
}  // namespace pathbook

int wmain(int argc, wchar_t** argv) {
    using namespace pathbook;
    const Options options = ParseOptions(argc, argv);
    Document document;
    document.SetKeywordDefinition(kDefaultKeywordText);
    const std::u16string text = ReadText(options);
    InsertCommand insert(DocPos{0, 0}, text);
    document.Execute(insert);
    if (options.missing) document.SetMissingPart(options.missingLine, options.missingFrom, options.missingTo, true);

    HostWindow host(document, options);
    if (!host.Create(L"view-host", nullptr, 0, 0, options.width, options.height, nullptr)) return 1;
    ShowWindow(host.Handle(), SW_SHOWNORMAL);
    if (options.benchRounds > 0) {
        UpdateWindow(host.Handle());
        host.Benchmark(text, options.benchRounds);
        return 0;
    }
    if (options.keys > 0) {
        UpdateWindow(host.Handle());
        SetFocus(host.Control().View().Handle());
        host.TypeInMiddle(options.keys);
        return 0;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
