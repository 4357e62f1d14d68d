// e2e-probe.exe: what the end-to-end tests cannot see from X.
//   e2e-probe            one line per main window ("Pathbook MainWnd"), UTF-8:
//                        <handle> TAB <title> TAB <iconic 0|1> TAB <foreground 0|1> TAB <visible 0|1>
//                        TAB <zoomed 0|1>
//   e2e-probe --out FILE ...  the same, written to FILE and ended by a line "." (for a
//                        probe started inside a Wine virtual desktop, which has no console
//                        and does not wait for the program)
//   e2e-probe closeall   asks every main window to close (as its system menu would)
//   e2e-probe closebox H the screen point "x y" of the close box of window H
//   e2e-probe status H   the texts of the status bar's parts, one per line, then
//                        "visible <0|1>" and "editor <top> <bottom>" (client coordinates)
//   e2e-probe toolbar H  one line per toolbar button: <id> TAB <state bits> TAB <text>
//   e2e-probe menures EXE ID LANG  menu resource ID of EXE in language LANG (1033, 1041): one line
//                        per item, indented by depth: <id> TAB <enabled 0|1> TAB <checked 0|1> TAB <text>
//                        (a running window's menu cannot be read from another process under Wine)
//   e2e-probe text H     the editor's text (WM_GETTEXT of the view)
//   e2e-probe viewrect H the view's client area on the screen: <left> <top> <right> <bottom>
//   e2e-probe ping H     milliseconds window H takes to answer WM_NULL
//   e2e-probe popups     one line per visible top-level window that is not a main window:
//                        <handle> TAB <class> TAB <title> TAB <owner>, then its controls:
//                        TAB <id> TAB <class> TAB <text>
//   e2e-probe copydata H KIND  sends WM_COPYDATA and prints the answer; KIND is odd, nonul, huge,
//                        or path:<charset>:<path>
//   e2e-probe wmclose H  posts WM_CLOSE to window H
//   e2e-probe kill H     ends the process of window H with TerminateProcess, as a crash ends it,
//                        and waits until it is gone
//   e2e-probe statustext H  posts and sends WM_APP+2 with a pointer of this process to window H
//   e2e-probe endsession H  asks window H whether the session may end (WM_QUERYENDSESSION), prints the answer
//   e2e-probe accel EXE  the accelerator table 103 of EXE: <flags> TAB <key> TAB <command> per entry
//   e2e-probe command H ID  posts WM_COMMAND ID to window H ("maximize", "minimize": the system commands)
//   e2e-probe timedcommand H ID CAPTION  posts WM_COMMAND ID to window H and prints the milliseconds
//                        until a window titled CAPTION is on show (a dialog shows once it is filled)
//   e2e-probe timedclick D ID EDIT TEXT  gives control EDIT of dialog D the text TEXT, then prints the
//                        milliseconds D takes to handle a click of its button ID
//   e2e-probe dropfiles PATH...  puts the paths on the clipboard as a shell file list (CF_HDROP)
//   e2e-probe clipboard  the clipboard's Unicode text
//   e2e-probe checked H ID  the check state (0, 1, 2) of button ID in dialog H
//   e2e-probe rect H     the screen rectangle of window H (a drop-down menu, say): <left> <top> <right> <bottom>
//   e2e-probe caret H    the system caret of window H's thread: <in its window's client area 0|1> <line top>
//   e2e-probe drop H PATH...  drops the paths on window H as the shell does: a file list in
//                        H's process and WM_DROPFILES posted to H
//   e2e-probe buttonrect H ID  the screen rectangle of toolbar button ID: <left> <top> <right> <bottom>
//   e2e-probe foreground  the handle of the foreground window
//   e2e-probe junk H     every private message WM_APP+n (posted) and WM_NOTIFY (sent) with made-up
//                        parameters to window H and to its editor view, as a hostile program would;
//                        prints "sent <count>" once both have taken them all
//   e2e-probe suspend H / resume H  stops / lets go on the thread of window H (a hung instance)
//   e2e-probe shortcut LNK TARGET  makes the shell shortcut LNK to the file TARGET
//   e2e-probe caretrect H  the system caret of window H's thread in its window's client
//                        coordinates: <left> <top> <right> <bottom>
//   e2e-probe parts H    the right edges of the status bar's parts, one line
//   e2e-probe dpi H      the DPI of window H
//   e2e-probe manifest EXE  the application manifest of EXE (resource 1 of RT_MANIFEST)
//   e2e-probe dpichanged H DPI  sends WM_DPICHANGED for DPI with the window's own rectangle
//   e2e-probe contextmenu H  posts WM_CONTEXTMENU to H naming the view, at the view's centre,
//                        as the system does for a right click on the view
//   e2e-probe settingchange H AREA  sends WM_SETTINGCHANGE 0 with the area name (ImmersiveColorSet)
//   e2e-probe editmsg H MSG WPARAM  sends message MSG to "TextLoom Control-01", prints the answer
//   e2e-probe cliptext TEXT  puts the text alone on the clipboard
//   e2e-probe cliptextfiles TEXT PATH...  puts both the text and a shell file list on the clipboard
//   e2e-probe cursor     which standard pointer the screen shows: arrow, appstarting, wait, ibeam,
//                        hand, or other
//   e2e-probe placement H  rcNormalPosition of GetWindowPlacement: <left> <top> <right> <bottom>
//   e2e-probe workarea [L T R B]  the work area, after setting it when given
//   e2e-probe ime H MSG  sends the input-method message MSG (start, composition) to the view
//   e2e-probe hscroll H  whether the view shows its horizontal scroll bar: 0 or 1
//   e2e-probe columns H  the column widths of the list view in window H, one line
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <imm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

int KillWindowProcess(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = id != 0 ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id) : nullptr;
    if (process == nullptr) return 1;
    const bool ended = TerminateProcess(process, 3) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? 0 : 1;
}

HWND ParseWindow(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(_wcstoui64(text, nullptr, 10)));
}

bool IsCloseBox(HWND window, int x, int y) {
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
}

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

// Memory in another window's process, for messages whose parameters point at a buffer.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : size_(size) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (process_ != nullptr) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    void* Address() const { return address_; }
    void Read(void* data, std::size_t size) { ReadProcessMemory(process_, address_, data, size, nullptr); }
    std::wstring ReadText() {
        std::wstring text(size_ / 2, L'\0');
        ReadProcessMemory(process_, address_, text.data(), size_, nullptr);
        text.resize(wcsnlen(text.c_str(), text.size()));
        return text;
    }

private:
    std::size_t size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

HWND ChildOfClass(HWND parent, const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        HWND found;
    } search{className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64];
            GetClassNameW(child, name, 64);
            if (lstrcmpiW(name, s->className) != 0) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The editor's text window: the view.
HWND EditorTextWindow(HWND window) { return ChildOfClass(window, L"TextLoom View"); }

// The view's client area in screen coordinates: "left top right bottom".
int PrintViewRect(HWND window) {
    HWND view = EditorTextWindow(window);
    RECT client{};
    if (view == nullptr || !GetClientRect(view, &client)) return 1;
    POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
    MapWindowPoints(view, nullptr, corners, 2);
    std::printf("%ld %ld %ld %ld\n", corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    return 0;
}

// How long the window takes to answer WM_NULL, in milliseconds (at most 5000).
int PrintAnswerTime(HWND window) {
    DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) return 1;
    std::printf("%lu\n", GetTickCount() - start);
    return 0;
}

double Milliseconds(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int PrintCommandTime(HWND window, int id, const wchar_t* caption) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    // Every window of that title: one closed before may linger hidden.
    auto onShow = [caption] {
        for (HWND found = FindWindowExW(nullptr, nullptr, nullptr, caption); found != nullptr;
             found = FindWindowExW(nullptr, found, nullptr, caption)) {
            if (IsWindowVisible(found)) return true;
        }
        return false;
    };
    while (!onShow()) {
        if (Milliseconds(start) > 30000) return 1;
        Sleep(1);
    }
    std::printf("%.1f\n", Milliseconds(start));
    return 0;
}

int PrintClickTime(HWND dialog, int id, int edit, const wchar_t* text) {
    if (!SetDlgItemTextW(dialog, edit, text)) return 1;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    std::printf("%.1f\n", Milliseconds(start));
    return 0;
}

int PrintStatus(HWND window) {
    HWND bar = GetDlgItem(window, 1787);
    if (bar == nullptr) return 1;
    int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
    for (int i = 0; i < parts; ++i) {
        RemoteBuffer buffer(bar, 1024);
        SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.Address()));
        std::printf("%s\n", Utf8(buffer.ReadText().c_str()).c_str());
    }
    std::printf("visible %d\n", IsWindowVisible(bar) ? 1 : 0);
    HWND editor = EditorTextWindow(window);
    RECT frame{};
    if (editor != nullptr) {
        GetWindowRect(GetParent(editor), &frame);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
    }
    RECT client;
    GetClientRect(window, &client);
    std::printf("editor %ld %ld client %ld\n", frame.top, frame.bottom, client.bottom);
    return 0;
}

int PrintToolbar(HWND window) {
    HWND bar = GetDlgItem(window, 30000);
    if (bar == nullptr) return 1;
    int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RemoteBuffer button(bar, sizeof(TBBUTTON));
        SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(button.Address()));
        TBBUTTON local{};
        button.Read(&local, sizeof local);
        if (local.fsStyle & BTNS_SEP) continue;
        RemoteBuffer text(bar, 512);
        SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(local.idCommand),
                     reinterpret_cast<LPARAM>(text.Address()));
        LRESULT state = SendMessageW(bar, TB_GETSTATE, static_cast<WPARAM>(local.idCommand), 0);
        std::printf("%d\t%d\t%s\n", local.idCommand, static_cast<int>(state), Utf8(text.ReadText().c_str()).c_str());
    }
    return 0;
}

void PrintMenu(HMENU menu, int depth) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 256;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.fType & MFT_SEPARATOR) continue;
        std::printf("%*s%u\t%d\t%d\t%s\n", depth * 2, "", info.wID, (info.fState & MFS_DISABLED) ? 0 : 1,
                    (info.fState & MFS_CHECKED) ? 1 : 0, Utf8(text).c_str());
        if (info.hSubMenu != nullptr) PrintMenu(info.hSubMenu, depth + 1);
    }
}

int PutFileList(int count, wchar_t** paths) {
    std::wstring list;
    for (int i = 0; i < count; ++i) list.append(paths[i]).push_back(L'\0');
    list.push_back(L'\0');
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (block == nullptr) return 1;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return 1;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_HDROP, block) == nullptr) GlobalFree(block);
    CloseClipboard();
    return 0;
}

// The file list goes into the window's process, as the system puts it there for
// a real drop. It is left there: the window frees it when done with it. The list
// starts past the allocation's start, so that a heap check of the words before
// it reads zeros rather than an unmapped page.
int DropFiles(HWND window, int count, wchar_t** paths) {
    std::wstring list;
    for (int i = 0; i < count; ++i) list.append(paths[i]).push_back(L'\0');
    list.push_back(L'\0');
    constexpr SIZE_T kOffset = 64;
    std::vector<char> data(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = reinterpret_cast<DROPFILES*>(data.data());
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(data.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    if (process == nullptr) return 1;
    auto* block = static_cast<char*>(VirtualAllocEx(process, nullptr, kOffset + data.size(), MEM_COMMIT, PAGE_READWRITE));
    bool written = block != nullptr && WriteProcessMemory(process, block + kOffset, data.data(), data.size(), nullptr);
    CloseHandle(process);
    if (!written) return 1;
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block + kOffset), 0);
    return 0;
}

int PrintButtonRect(HWND window, int id) {
    HWND bar = GetDlgItem(window, 30000);
    if (bar == nullptr) return 1;
    RemoteBuffer rect(bar, sizeof(RECT));
    if (!SendMessageW(bar, TB_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(rect.Address()))) return 1;
    RECT local{};
    rect.Read(&local, sizeof local);
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&local), 2);
    std::printf("%ld %ld %ld %ld\n", local.left, local.top, local.right, local.bottom);
    return 0;
}

int PrintText(HWND window) {
    HWND editor = EditorTextWindow(window);
    if (editor == nullptr) return 1;
    // Line breaks reach the test as the editor has them.
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
    int length = static_cast<int>(SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    std::printf("%s", Utf8(text.c_str()).c_str());
    return 0;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    wchar_t name[64];
    wchar_t text[256] = {};
    GetClassNameW(control, name, 64);
    SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    std::printf("\t%d\t%s\t%s\n", GetDlgCtrlID(control), Utf8(name).c_str(), Utf8(text).c_str());
    return TRUE;
}

int PrintClipboard() {
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text != nullptr) {
        std::fflush(stdout);
        _setmode(_fileno(stdout), _O_BINARY);
        std::printf("%s", Utf8(text).c_str());
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text != nullptr ? 0 : 1;
}

int PrintRect(HWND window) {
    RECT frame{};
    if (!GetWindowRect(window, &frame)) return 1;
    std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom);
    return 0;
}

int PrintCaret(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || info.hwndCaret == nullptr) return 1;
    RECT client{};
    GetClientRect(info.hwndCaret, &client);
    const RECT& caret = info.rcCaret;
    bool inside = caret.left >= client.left && caret.right <= client.right && caret.top >= client.top &&
                  caret.bottom <= client.bottom;
    std::printf("%d %ld\n", inside ? 1 : 0, caret.top);
    return 0;
}

int PrintCaretRect(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || info.hwndCaret == nullptr) return 1;
    const RECT& caret = info.rcCaret;
    std::printf("%ld %ld %ld %ld\n", caret.left, caret.top, caret.right, caret.bottom);
    return 0;
}

int PrintParts(HWND window) {
    HWND bar = GetDlgItem(window, 1787);
    if (bar == nullptr) return 1;
    RemoteBuffer edges(bar, 16 * sizeof(int));
    const int count = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges.Address())));
    int local[16] = {};
    edges.Read(local, sizeof local);
    for (int i = 0; i < count && i < 16; ++i) std::printf(i == 0 ? "%d" : " %d", local[i]);
    std::printf("\n");
    return 0;
}

template <typename Call>
Call UserCall(const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int PrintDpi(HWND window) {
    using DpiOf = UINT(WINAPI*)(HWND);
    auto dpi = UserCall<DpiOf>("GetDpiForWindow");
    if (dpi == nullptr) return 1;
    std::printf("%u\n", dpi(window));
    return 0;
}

int PrintManifest(const wchar_t* exe) {
    HMODULE module = LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return 1;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST));
    if (found == nullptr) return 1;
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
    std::fwrite(text, 1, SizeofResource(module, found), stdout);
    return 0;
}

int SendDpiChanged(HWND window, UINT dpi) {
    RECT frame{};
    if (!GetWindowRect(window, &frame)) return 1;
    RemoteBuffer rect(window, sizeof frame);
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_VM_WRITE | PROCESS_VM_OPERATION, FALSE, id);
    if (process == nullptr) return 1;
    WriteProcessMemory(process, rect.Address(), &frame, sizeof frame, nullptr);
    CloseHandle(process);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(rect.Address()));
    return 0;
}

int PostContextMenu(HWND window) {
    HWND view = EditorTextWindow(window);
    RECT client{};
    if (view == nullptr || !GetClientRect(view, &client)) return 1;
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(view, &centre);
    PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), MAKELPARAM(centre.x, centre.y));
    return 0;
}

int PrintCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info)) return 1;
    struct Named {
        const wchar_t* id;
        const char* name;
    };
    const Named shapes[] = {{IDC_ARROW, "arrow"}, {IDC_APPSTARTING, "appstarting"}, {IDC_WAIT, "wait"},
                            {IDC_IBEAM, "ibeam"}, {IDC_HAND, "hand"}};
    for (const Named& shape : shapes) {
        if (LoadCursorW(nullptr, shape.id) == info.hCursor) {
            std::printf("%s\n", shape.name);
            return 0;
        }
    }
    std::printf("other\n");
    return 0;
}

int PrintPlacement(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return 1;
    const RECT& r = placement.rcNormalPosition;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

int WorkArea(int argc, wchar_t** argv) {
    if (argc == 6) {
        RECT wanted{_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5])};
        SystemParametersInfoW(SPI_SETWORKAREA, 0, &wanted, SPIF_SENDCHANGE);
    }
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    std::printf("%ld %ld %ld %ld\n", area.left, area.top, area.right, area.bottom);
    return 0;
}

// The editor's first units (at most 255), without reading the whole of a big text.
int PrintTextStart(HWND window) {
    HWND editor = EditorTextWindow(window);
    if (editor == nullptr) return 1;
    wchar_t text[256] = {};
    SendMessageW(editor, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
    std::printf("%s", Utf8(text).c_str());
    return 0;
}

int PrintHorizontalBar(HWND window) {
    HWND view = EditorTextWindow(window);
    if (view == nullptr) return 1;
    std::printf("%d\n", (GetWindowLongPtrW(view, GWL_STYLE) & WS_HSCROLL) != 0 ? 1 : 0);
    return 0;
}

int PrintColumns(HWND window) {
    HWND list = ChildOfClass(window, WC_LISTVIEWW);
    if (list == nullptr) return 1;
    for (int i = 0;; ++i) {
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
        if (width == 0) break;
        std::printf(i == 0 ? "%d" : " %d", width);
    }
    std::printf("\n");
    return 0;
}

// Adds Unicode text to what the clipboard holds, or puts it there alone.
int PutText(const wchar_t* text, bool alone) {
    if (!OpenClipboard(nullptr)) return 1;
    if (alone) EmptyClipboard();
    const SIZE_T bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block != nullptr) {
        std::memcpy(GlobalLock(block), text, bytes);
        GlobalUnlock(block);
        if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) GlobalFree(block);
    }
    CloseClipboard();
    return block != nullptr ? 0 : 1;
}

int PutTextAndFiles(const wchar_t* text, int count, wchar_t** paths) {
    return PutFileList(count, paths) == 0 ? PutText(text, false) : 1;
}

int PrintPopups() {
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        if (!IsWindowVisible(window)) continue;
        wchar_t name[64];
        wchar_t title[256] = {};
        GetClassNameW(window, name, 64);
        if (lstrcmpW(name, L"Pathbook MainWnd") == 0) continue;
        GetWindowTextW(window, title, 256);
        std::printf("%llu\t%s\t%s\t%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                    Utf8(name).c_str(), Utf8(title).c_str(),
                    static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))));
        EnumChildWindows(window, PrintControl, 0);
    }
    return 0;
}

int SendCopyData(HWND window, const std::wstring& kind) {
    std::vector<wchar_t> data;
    COPYDATASTRUCT message{};
    if (kind == L"odd") {
        data.assign(L"C:\\a.txt", L"C:\\a.txt" + 9);
        message.cbData = 17;
    } else if (kind == L"nonul") {
        data.assign(300, L'x');
        message.cbData = 20;
    } else if (kind == L"huge") {
        data.assign(32768, L'y');
        message.cbData = 65536;
    } else if (kind.rfind(L"path:", 0) == 0) {
        std::size_t colon = kind.find(L':', 5);
        message.dwData = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(_wtoi(kind.substr(5, colon - 5).c_str())));
        std::wstring path = kind.substr(colon + 1);
        data.assign(path.begin(), path.end());
        data.push_back(0);
        message.cbData = static_cast<DWORD>(data.size() * 2);
    } else {
        return 2;
    }
    message.lpData = data.data();
    std::printf("%d\n", static_cast<int>(SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&message))));
    return 0;
}

int PrintMenuResource(const wchar_t* exe, int id, LANGID language) {
    HMODULE module = LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return 1;
    HRSRC found = FindResourceExW(module, reinterpret_cast<LPCWSTR>(RT_MENU), MAKEINTRESOURCEW(id), language);
    if (found == nullptr) return 1;
    HMENU menu = LoadMenuIndirectW(LockResource(LoadResource(module, found)));
    if (menu == nullptr) return 1;
    PrintMenu(menu, 0);
    DestroyMenu(menu);
    return 0;
}

int PrintAccelerators(const wchar_t* exe) {
    HMODULE module = LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return 1;
    HACCEL table = LoadAcceleratorsW(module, MAKEINTRESOURCEW(103));
    if (table == nullptr) return 1;
    ACCEL entries[128];
    int count = CopyAcceleratorTableW(table, entries, 128);
    for (int i = 0; i < count; ++i) {
        std::printf("%d\t%d\t%d\n", entries[i].fVirt & ~FNOINVERT, entries[i].key, entries[i].cmd);
    }
    return 0;
}

// Posts WM_APP+0 ... WM_APP+0x3FFF with junk to `window`, letting it catch up
// every so often (a queue holds only so many), then sends junk WM_NOTIFY.
int SendJunk(HWND window) {
    int count = 0;
    for (UINT n = 0; n <= 0x3FFF; ++n) {
        const WPARAM wParam = static_cast<WPARAM>(n) * 7919u + 1;
        const LPARAM lParam = static_cast<LPARAM>(0xDEAD0000u + n * 16u);
        if (PostMessageW(window, WM_APP + n, wParam, lParam)) ++count;
        DWORD_PTR ignored = 0;
        if (n % 256 == 255 && !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored)) return -1;
    }
    DWORD_PTR ignored = 0;
    for (LPARAM junk : {static_cast<LPARAM>(0x10), static_cast<LPARAM>(0xDEADBEEF)}) {
        SendMessageTimeoutW(window, WM_NOTIFY, 30000, junk, SMTO_NORMAL, 10000, &ignored);
    }
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) ? count : -1;
}

int SuspendWindowThread(HWND window, bool suspend) {
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr));
    if (thread == nullptr) return 1;
    const DWORD previous = suspend ? SuspendThread(thread) : ResumeThread(thread);
    CloseHandle(thread);
    return previous == static_cast<DWORD>(-1) ? 1 : 0;
}

int MakeShortcut(const wchar_t* shortcut, const wchar_t* target) {
    if (FAILED(CoInitialize(nullptr))) return 1;
    IShellLinkW* link = nullptr;
    HRESULT made = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link));
    IPersistFile* file = nullptr;
    if (SUCCEEDED(made)) {
        link->SetPath(target);
        made = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    }
    if (SUCCEEDED(made)) made = file->Save(shortcut, TRUE);
    if (file != nullptr) file->Release();
    if (link != nullptr) link->Release();
    CoUninitialize();
    return SUCCEEDED(made) ? 0 : 1;
}

}  // namespace

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
    std::wstring command = argc >= 2 ? argv[1] : L"";
    if (command == L"closeall") {
        for (HWND window = FindWindowExW(nullptr, nullptr, L"Pathbook MainWnd", nullptr); window != nullptr;
             window = FindWindowExW(nullptr, window, L"Pathbook MainWnd", nullptr)) {
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    }
    if (command == L"popups") return PrintPopups();
    if (command == L"foreground") {
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
        return 0;
    }
    if (argc == 3 && command == L"accel") return PrintAccelerators(argv[2]);
    if (argc == 3 && command == L"manifest") return PrintManifest(argv[2]);
    if (argc == 5 && command == L"menures") return PrintMenuResource(argv[2], _wtoi(argv[3]), static_cast<LANGID>(_wtoi(argv[4])));
    if (command == L"dropfiles") return PutFileList(argc - 2, argv + 2);
    if (argc == 4 && command == L"shortcut") return MakeShortcut(argv[2], argv[3]);
    if (argc == 3 && command == L"cliptext") return PutText(argv[2], true);
    if (argc >= 3 && command == L"cliptextfiles") return PutTextAndFiles(argv[2], argc - 3, argv + 3);
    if (command == L"cursor") return PrintCursor();
    if (command == L"workarea") return WorkArea(argc, argv);
    if (command == L"clipboard") return PrintClipboard();
    if (argc >= 3) {
        HWND window = ParseWindow(argv[2]);
        if (command == L"closebox") return PrintCloseBox(window);
        if (command == L"status") return PrintStatus(window);
        if (command == L"toolbar") return PrintToolbar(window);
        if (command == L"drop") return DropFiles(window, argc - 3, argv + 3);
        if (argc == 4 && command == L"buttonrect") return PrintButtonRect(window, _wtoi(argv[3]));
        if (command == L"text") return PrintText(window);
        if (command == L"viewrect") return PrintViewRect(window);
        if (command == L"rect") return PrintRect(window);
        if (command == L"caret") return PrintCaret(window);
        if (command == L"caretrect") return PrintCaretRect(window);
        if (command == L"parts") return PrintParts(window);
        if (command == L"dpi") return PrintDpi(window);
        if (argc == 4 && command == L"dpichanged") return SendDpiChanged(window, static_cast<UINT>(_wtoi(argv[3])));
        if (command == L"contextmenu") return PostContextMenu(window);
        if (argc == 4 && command == L"settingchange") {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(argv[3]), SMTO_NORMAL, 5000,
                                &answer);
            return 0;
        }
        if (argc == 5 && command == L"editmsg") {
            HWND control = ChildOfClass(window, L"TextLoom Control-01");
            if (control == nullptr) return 1;
            std::printf("%d\n", static_cast<int>(SendMessageW(control, static_cast<UINT>(_wtoi(argv[3])),
                                                                static_cast<WPARAM>(_wtoi(argv[4])), 0)));
            return 0;
        }
        if (command == L"placement") return PrintPlacement(window);
        if (argc == 4 && command == L"ime") {
            HWND view = EditorTextWindow(window);
            const std::wstring kind = argv[3];
            if (view == nullptr || (kind != L"start" && kind != L"composition")) return 2;
            SendMessageW(view, kind == L"start" ? WM_IME_STARTCOMPOSITION : WM_IME_COMPOSITION, 0,
                         kind == L"start" ? 0 : GCS_COMPSTR);
            return 0;
        }
        if (command == L"hscroll") return PrintHorizontalBar(window);
        if (command == L"textstart") return PrintTextStart(window);
        if (command == L"columns") return PrintColumns(window);
        if (argc == 4 && command == L"checked") {
            std::printf("%d\n", static_cast<int>(IsDlgButtonChecked(window, _wtoi(argv[3]))));
            return 0;
        }
        if (command == L"ping") return PrintAnswerTime(window);
        if (argc == 4 && command == L"copydata") return SendCopyData(window, argv[3]);
        if (command == L"junk") {
            const int main = SendJunk(window);
            const int view = SendJunk(EditorTextWindow(window));
            if (main < 0 || view < 0) return 1;
            std::printf("sent %d\n", main + view);
            return 0;
        }
        if (command == L"suspend" || command == L"resume") return SuspendWindowThread(window, command == L"suspend");
        if (command == L"wmclose") {
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        if (command == L"kill") return KillWindowProcess(window);
        if (command == L"statustext") {
            // A text pointer from another process: meaningless (here, unmapped) in the receiver.
            LPARAM foreign = static_cast<LPARAM>(0x10);
            PostMessageW(window, WM_APP + 2, 0, foreign);
            std::printf("%d\n", static_cast<int>(SendMessageW(window, WM_APP + 2, 0, foreign)));
            return 0;
        }
        if (command == L"endsession") {
            std::printf("%d\n", static_cast<int>(SendMessageW(window, WM_QUERYENDSESSION, 0, 0)));
            return 0;
        }
        if (argc == 4 && command == L"command" && std::wstring(argv[3]) == L"maximize") {
            PostMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            return 0;
        }
        if (argc == 4 && command == L"command" && std::wstring(argv[3]) == L"minimize") {
            PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return 0;
        }
        if (argc == 5 && command == L"timedcommand") return PrintCommandTime(window, _wtoi(argv[3]), argv[4]);
        if (argc == 6 && command == L"timedclick") return PrintClickTime(window, _wtoi(argv[3]), _wtoi(argv[4]), argv[5]);
        if (argc == 4 && command == L"command") {
            PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[3])), 0);
            return 0;
        }
    }
    HWND foreground = GetForegroundWindow();
    for (HWND window = FindWindowExW(nullptr, nullptr, L"Pathbook MainWnd", nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, L"Pathbook MainWnd", nullptr)) {
        wchar_t title[512] = {};
        GetWindowTextW(window, title, 512);
        std::printf("%llu\t%s\t%d\t%d\t%d\t%d\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                    Utf8(title).c_str(), IsIconic(window) ? 1 : 0, window == foreground ? 1 : 0,
                    IsWindowVisible(window) ? 1 : 0, IsZoomed(window) ? 1 : 0);
    }
    return 0;
}
