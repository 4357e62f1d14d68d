#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/copy_data.h"
#include "app/recovery_offer.h"
#include "app/resource_ids.h"
#include "app/status_parts.h"
#include "app/title.h"
#include "app/win32/application.h"
#include "app/win32/instances.h"
#include "app/win32/messages.h"
#include "app/win32/restore_dialog.h"
#include "app/win32/string_resource.h"
#include "app/win32/system_theme.h"
#include "framework/dpi.h"
#include "links/known_folders.h"
#include "platform/program_folders.h"
#include "platform/win32/wide.h"
#include "runtime/heap.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

constexpr int kEditorId = 1;
// The journal of the unsaved text goes to disk at least this often.
constexpr UINT_PTR kJournalTimer = 1;
constexpr UINT kJournalMilliseconds = 1000;
// A load runs for this long per tick of its timer, then lets the window paint
// and answer; WM_TIMER comes after input and WM_PAINT, so scrolling and
// painting go first however long the load.
constexpr DWORD kLoadTickMilliseconds = 80;

// The commands that edit the text: refused audibly while it is incomplete.
constexpr WORD kEditCommands[] = {IDM_CUT, IDM_DELETE, IDM_UNDO, IDM_REDO, IDM_PASTE, IDM_INSERT_DATE_TIME};

bool IsEditCommand(WORD id) {
    for (WORD edit : kEditCommands) {
        if (edit == id) return true;
    }
    return false;
}

// The journals to save when memory runs out: the process's one window's.
JournalFolder* lastWordsJournals = nullptr;

void WriteJournalsWithoutAllocating() {
    if (lastWordsJournals != nullptr) lastWordsJournals->WriteQueuedWithoutAllocating();
}

// Ctrl+1 ... Ctrl+9 open favourites 0 ... 8.
HACCEL MakeFavoriteKeys() {
    ACCEL keys[9];
    for (int n = 0; n < 9; ++n) {
        keys[n] = {FVIRTKEY | FCONTROL, static_cast<WORD>('1' + n), static_cast<WORD>(IDM_FAVORITE_FIRST + n)};
    }
    return CreateAcceleratorTableW(keys, 9);
}

std::int32_t ShowState(HWND window) {
    if (IsZoomed(window)) return kShowMaximized;
    return IsIconic(window) ? kShowMinimized : kShowNormal;
}

String ProgramPath() { return String(platform::ProgramFolderPath(platform::ProgramFolder::kProgramFile)); }

String StartFolder() { return String(platform::ProgramFolderPath(platform::ProgramFolder::kCurrentDirectory)); }

ConfigPlaces PlacesFor(platform::BusyListener* busy) {
    ConfigPlaces places = ConfigPlaces::ForProgram(ProgramPath());
    places.busy = busy;
    return places;
}

}  // namespace

MainWindow::MainWindow()
    : Window(kMainWindowClass, WS_OVERLAPPEDWINDOW, WS_EX_ACCEPTFILES),
      config_(std::make_unique<ConfigStore>(PlacesFor(this), LoadStringResource(IDS_DEFAULT_DOC_TYPE))),
      favorites_(FavoriteList::DefaultPath(), kHistoryMutexName, this),
      browser_(*config_, favorites_, chain_, *this),
      journals_(DefaultRecoveryFolder()),
      session_(*config_, browser_, *this, StartFolder(), &journals_) {
    lastWordsJournals = &journals_;
    Heap::SetLastWords(WriteJournalsWithoutAllocating);
    favorites_.Load();
    Application::Instance().RequestInit(Application::kSockets);
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW classInfo{};
    classInfo.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
    classInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    classInfo.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    classInfo.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINFRAME);
    classInfo.lpszClassName = kMainWindowClass;
    RegisterWindowClass(classInfo);
    Application::Instance().InputMethods().Activate(true);
    NavChainNames chainNames;
    chainNames.busy = this;
    chain_.Attach(chainNames);
    find_.SetOptions(config_->LoadSearchOptions());
}

MainWindow::~MainWindow() {
    Destroy();
    Heap::SetLastWords(nullptr);
    lastWordsJournals = nullptr;
}

void MainWindow::Create(const String& file, CharsetId charset, std::int32_t line) {
    // Read before the window exists: its first moves are recorded over them.
    const RememberedPlace place{config_->WindowX(), config_->WindowY(), config_->WindowW(), config_->WindowH()};
    startMaximized_ = config_->Values().rememberWindowSize && config_->Values().windowMaximized;
    Window::Create(L"", nullptr, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr);
    RestorePlacement(place);
    if (file.Empty() || !session_.Load(file, charset, true)) session_.SetUpNew();
    if (line != -1) editor_.JumpToLine(line);
}

void MainWindow::CreateRestoring(const String& journalPath) {
    Create(String(), charset::kAutoDetect, -1);
    RecoveredJournal journal;
    if (journals_.TakeOver(std::u16string(journalPath.View()), &journal)) session_.Restore(journal);
}

void MainWindow::OfferRecovery(bool useThisWindow) {
    std::vector<RecoveredJournal> journals = journals_.ClaimOrphans();
    if (journals.empty()) return;
    switch (AskToRestore(Handle(), journals)) {
        case RestoreAnswer::kRestore: break;
        case RestoreAnswer::kDiscard:
            for (const RecoveredJournal& journal : journals) journals_.Remove(journal);
            return;
        case RestoreAnswer::kLater: return;
    }
    std::size_t first = 0;
    if (useThisWindow && !session_.Modified()) session_.Restore(journals[first++]);
    for (std::size_t i = first; i < journals.size(); ++i) {
        pathbook::LaunchInstance(RecoveryArguments(journals[i].Paths().journal));
    }
}

// The remembered rectangle is rcNormalPosition as GetWindowPlacement gave it
// (workspace coordinates: off by the taskbar when it is at the top or left),
// so it goes back through SetWindowPlacement, never as screen coordinates.
void MainWindow::RestorePlacement(const RememberedPlace& place) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(Handle(), &placement)) {
        RECT& normal = placement.rcNormalPosition;
        if (place.width != kSystemDefaultCoordinate && place.height != kSystemDefaultCoordinate) {
            normal.right = normal.left + place.width;
            normal.bottom = normal.top + place.height;
        }
        STARTUPINFOW startup{};
        GetStartupInfoW(&startup);
        // A process asked to appear at a position (a new instance beside the
        // active window) keeps the one the system gave it.
        const bool positionAsked = (startup.dwFlags & STARTF_USEPOSITION) != 0;
        if (!positionAsked && place.x != kSystemDefaultCoordinate && place.y != kSystemDefaultCoordinate) {
            OffsetRect(&normal, place.x - normal.left, place.y - normal.top);
        }
        placement.flags = 0;
        placement.showCmd = SW_HIDE;  // Show shows it, maximised or not
        SetWindowPlacement(Handle(), &placement);
    }
    placementRestored_ = true;
    OnMove();
}

void MainWindow::Show() {
    ShowWindow(Handle(), startMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(Handle());
}

bool MainWindow::PreTranslate(MSG& message) {
    if (Handle() == nullptr) return false;
    if (RefusedWhileIncomplete(message)) return true;
    if (favoriteKeys_) TranslateAcceleratorW(Handle(), favoriteKeys_.Get(), &message);
    if (find_.PreTranslate(message)) return true;
    return accelTable_ && TranslateAcceleratorW(Handle(), accelTable_.Get(), &message) != 0;
}

// Typed characters and Delete would be dropped by the document without a
// word; the beep says the keystroke was not taken.
bool MainWindow::RefusedWhileIncomplete(const MSG& message) {
    if (!TextIncomplete() || message.hwnd == nullptr || GetAncestor(message.hwnd, GA_ROOT) != Handle()) return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && session_.Loading()) {
        session_.StopLoad();
        return true;
    }
    const bool typed = message.message == WM_CHAR ||
                       (message.message == WM_KEYDOWN && message.wParam == VK_DELETE && GetKeyState(VK_SHIFT) >= 0);
    if (!typed || (message.hwnd != editor_.Handle() && !IsChild(editor_.Handle(), message.hwnd))) return false;
    MessageBeep(MB_OK);
    return true;
}

void MainWindow::OnCreate(CREATESTRUCTW&) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    accelTable_.Reset(LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_MAINFRAME)));
    Application::Instance().RequestInit(Application::kCommonControls);
    menuBar_.Build(Handle(), IDR_MENU_BAR, IDM_HOME);
    statusBar_.Create(Handle());
    notebook_.Attach(Handle());
    editor_.Create(Handle(), kEditorId, *this);
    FollowDpi(WindowDpi(Handle()));
    FollowColorScheme();
    editor_.View().SetSingleClick(config_->Values().singleClick);
    statusBar_.Show(config_->Values().statusBar);
    contextMenu_.Reset(LoadMenuW(module, MAKEINTRESOURCEW(IDR_CONTEXT_MENU)));
    favoriteKeys_.Reset(MakeFavoriteKeys());
    RebuildHistoryMenu();
    RebuildDocTypeMenu();
    SetTimer(Handle(), kJournalTimer, kJournalMilliseconds, nullptr);
}

void MainWindow::OnDestroy() { chain_.Detach(); }

bool MainWindow::OnCommand(WORD id, WORD, HWND control) {
    if (control != nullptr && control == menuBar_.Handle() && menuBar_.DropsDownOnClick(id)) {
        DropDown(id);
        return true;
    }
    if (control != nullptr && control != menuBar_.Handle()) return false;
    if (TextIncomplete() && IsEditCommand(id)) {
        MessageBeep(MB_OK);
        return true;
    }
    return notebook_.RunCommand(id) || RunCommand(commands_, id);
}

bool MainWindow::OnMove() {
    if (!placementRestored_) return true;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(Handle(), &placement)) return true;
    const RECT& r = placement.rcNormalPosition;
    config_->SaveWindowPlacement({r.left, r.top, r.right, r.bottom}, ShowState(Handle()));
    return true;
}

bool MainWindow::OnSize(UINT type, int, int) {
    // A minimised window shows only the file name, whether or not it lost the activation.
    RefreshTitle();
    if (type != SIZE_RESTORED && type != SIZE_MAXIMIZED) return true;
    Layout();
    OnMove();
    return true;
}

void MainWindow::Layout() {
    RECT client;
    GetClientRect(Handle(), &client);
    int top = menuBar_.Layout();
    int bottom = statusBar_.Layout(IsZoomed(Handle()) != FALSE);
    editor_.Move(0, top, client.right, client.bottom - top - bottom);
}

bool MainWindow::OnActivate(bool active) {
    if (active) {
        editor_.Focus();
        // The chain may have changed without a broadcast reaching this window.
        UpdateNavButtons();
        notebook_.Recheck();
        // Asked once activation is over: a question box now would activate the window again.
        PostMessageW(Handle(), kCheckFileOnDisk, 0, 0);
    }
    RefreshTitle();
    return true;
}

bool MainWindow::OnClose() {
    Close();
    return true;
}

bool MainWindow::OnQueryEndSession(LRESULT& result) {
    // On disk before anything is asked: a forced end does not wait for the answer.
    session_.FlushJournal(true);
    result = session_.AskSave() ? TRUE : FALSE;
    return true;
}

bool MainWindow::OnEndSession(bool ending) {
    if (ending) session_.FlushJournal(true);
    return true;
}

bool MainWindow::OnTimer(UINT_PTR id) {
    if (id == kLoadTimer) {
        RunLoadSlices();
        return true;
    }
    if (id != kJournalTimer) return false;
    session_.FlushJournal(false);
    return true;
}

void MainWindow::RunLoadSlices() {
    const DWORD start = GetTickCount();
    bool more = session_.LoadSlice();
    while (more && GetTickCount() - start < kLoadTickMilliseconds && HIWORD(GetQueueStatus(QS_INPUT)) == 0) {
        more = session_.LoadSlice();
    }
    if (!more) KillTimer(Handle(), kLoadTimer);
}

bool MainWindow::OnSysCommand(WPARAM command) {
    WPARAM kind = command & 0xFFF0;
    if (kind != SC_CLOSE && kind != SC_DEFAULT) return false;
    Close();
    return true;
}

// WM_CONTEXTMENU names the window that was clicked: the view inside the editor.
bool MainWindow::OnContextMenu(HWND from, int x, int y) {
    HWND editor = editor_.Handle();
    if (editor == nullptr || (from != editor && !IsChild(editor, from)) || !contextMenu_) return false;
    if (x == -1 && y == -1) {
        // From the keyboard: at the caret.
        HWND view = editor_.View().Handle();
        POINT caret{0, 0};
        if (GetFocus() != view || !GetCaretPos(&caret)) caret = POINT{0, 0};
        ClientToScreen(view, &caret);
        x = caret.x;
        y = caret.y;
    }
    UINT alignment = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    TrackPopupMenu(GetSubMenu(contextMenu_.Get(), 0), alignment | TPM_RIGHTBUTTON, x, y, 0, Handle(), nullptr);
    return true;
}

bool MainWindow::OnDropFiles(HDROP drop) {
    DropHandle owned(drop);
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Each path at its full length, however long: its length first, then the path.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0) continue;
        std::u16string path(length + 1, u'\0');
        const UINT copied = DragQueryFileW(drop, i, Wide(path.data()), length + 1);
        if (copied == 0 || copied > length) continue;
        path.resize(copied);
        browser_.Open(OpenWay::kDroppedFile, String(path), 0);
    }
    return true;
}

bool MainWindow::OnCopyData(const COPYDATASTRUCT& data, LRESULT& result) {
    std::u16string_view path;
    auto offered = static_cast<CharsetId>(static_cast<LONG_PTR>(data.dwData));
    result = ReadOfferedPath(data.lpData, data.cbData, &path) &&
             OfferMatches(path, offered, session_.Path(), session_.Charset());
    return true;
}

bool MainWindow::OnAppMessage(UINT offset, WPARAM, LPARAM, LRESULT& result) {
    result = 0;
    switch (offset) {
        case kHistoryChanged - WM_APP:
            config_->LoadHistory();
            RebuildHistoryMenu();
            UpdateNavButtons();
            return true;
        case kCheckFileOnDisk - WM_APP: session_.CheckFileOnDisk(); return true;
        case kFavoritesChanged - WM_APP:
            favorites_.Load();
            UpdateHomeButton();
            // The title names the document's place among the favourites.
            RefreshTitle();
            notebook_.Follow();
            return true;
        default: return notebook_.OnAppMessage(WM_APP + offset);
    }
}

bool MainWindow::OnNotify(NMHDR& header, LRESULT& result) {
    // Only the window's own toolbar: the framework has already turned away
    // notifications sent from other threads, whose pointers mean nothing here.
    if (header.hwndFrom == nullptr || header.hwndFrom != menuBar_.Handle() || GetParent(header.hwndFrom) != Handle() ||
        header.code != TBN_DROPDOWN) {
        return false;
    }
    DropDown(reinterpret_cast<NMTOOLBARW&>(header).iItem);
    result = TBDDRET_DEFAULT;
    return true;
}

void MainWindow::RefreshTitle() {
    if (Handle() == nullptr) return;
    const String& path = session_.Path();
    TitleInputs in;
    in.path = path;
    if (!path.Empty()) {
        in.favoriteSlot = favorites_.Find(path);
        FolderId folder = FindKnownFolder(path);
        if (folder != 0) in.folderName = FolderName(folder);
    }
    in.minimized = IsIconic(Handle()) != FALSE;
    in.modified = session_.Modified();
    in.locked = session_.Locked();
    if (session_.FileGone()) in.goneMark = LoadStringResource(IDS_TITLE_FILE_GONE);
    in.productName = LoadStringResource(IDS_PRODUCT_NAME);
    SetWindowTextW(Handle(), Wide(ComposeTitle(in).Chars()));
    statusBar_.SetCodes(EncodingShortCode(config_->Encodings(), session_.EncodingRow()),
                        LineEndName(static_cast<std::int32_t>(session_.LineBreak())));
}

void MainWindow::UpdateNavButtons() {
    NavButtonStates states = browser_.NavButtons(session_.Path());
    menuBar_.SetEnabled(IDM_BACK, states.back);
    menuBar_.SetEnabled(IDM_FORWARD, states.forward);
}

void MainWindow::UpdateHomeButton() {
    menuBar_.SetIndeterminate(IDM_HOME, browser_.HomeButton(session_.Path()) == HomeButtonState::kIndeterminate);
}

bool MainWindow::OpenDocument(const String& path, CharsetId code) { return session_.OpenDocument(path, code); }

void MainWindow::ShowHomeMenu() { DropDown(IDM_HOME); }

void MainWindow::BroadcastHistoryChanged() { BroadcastToInstances(kHistoryChanged); }

void MainWindow::BroadcastFavoritesChanged() { BroadcastToInstances(kFavoritesChanged); }

void MainWindow::OnStatusText(const String& text) { statusBar_.SetText(0, text); }

bool MainWindow::OnReadOnlyRequest(bool readOnly) {
    if (session_.Locked() != readOnly) session_.ToggleLock();
    return session_.Locked() == readOnly;
}

bool MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    FollowDpi(dpi);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    return true;
}

void MainWindow::FollowDpi(UINT dpi) {
    menuBar_.SetDpi(dpi);
    statusBar_.SetDpi(dpi);
    editor_.View().SetDpi(dpi);
}

bool MainWindow::OnSettingChange(UINT action, const wchar_t* area) {
    if (ChangesColorScheme(action, area)) FollowColorScheme();
    return false;  // the default handling passes it on to the children
}

void MainWindow::FollowColorScheme() {
    const ColorScheme scheme = CurrentColorScheme();
    editor_.View().SetColorScheme(scheme, CurrentSystemColors());
    UseDarkTitleBar(Handle(), scheme == ColorScheme::kDark);
}

}  // namespace pathbook
