// The program's one top-level window per process: it creates the editor and
// the bars, lays them out, routes messages, menu items, accelerators, toolbar
// buttons, dropped files and messages from other instances to the session
// (the document's life), the browser and the command table, and answers what
// they ask of a window. Instances find each other by its class, "Pathbook MainWnd".
#pragma once

#include <memory>

#include "app/command_table.h"
#include "app/link_opening.h"
#include "app/menu_states.h"
#include "app/session.h"
#include "app/window_commands.h"
#include "app/win32/bars.h"
#include "app/win32/find_dialog.h"
#include "app/win32/notebook_host.h"
#include "app/win32/view_editor.h"
#include "config/config_store.h"
#include "framework/handles.h"
#include "framework/window.h"
#include "navigation/browsing.h"
#include "navigation/favorite_list.h"
#include "navigation/nav_chain.h"
#include "recovery/journal_folder.h"
#include "platform/named_mutex.h"
#include "runtime/string.h"
#include "textfile/charset.h"

namespace pathbook {

class MainWindow final : public Window,
                         BrowsingHost,
                         SessionPorts,
                         WindowCommands,
                         EditorEvents,
                         LinkOpenPorts,
                         platform::BusyListener {
public:
    // Builds the settings, favourites and session, starts Windows Sockets,
    // registers the class and attaches the navigation chain.
    MainWindow();
    ~MainWindow() override;

    // Creates the window at the remembered place (or where the starting
    // process was asked to appear) and sets it up for `file` (empty or
    // unreadable: a new document). `line` is a 1-based line to jump to, or -1.
    void Create(const String& file, CharsetId charset, std::int32_t line);
    // Creates the window as Create does for the unsaved note of the recovery
    // journal at `journalPath`, which the instance that claimed it handed over
    // (a new document when it is gone).
    void CreateRestoring(const String& journalPath);
    // Shows the window, maximised when that was remembered.
    void Show();
    // Claims the journals of instances that ended without saving and offers
    // them: each restored note gets a window of its own, the first this one
    // when `useThisWindow`.
    void OfferRecovery(bool useThisWindow);

    const ConfigStore& Config() const { return *config_; }
    const FavoriteList& Favorites() const { return favorites_; }

    // Favourite shortcuts, the find dialog's keyboard navigation, then the accelerator table.
    bool PreTranslate(MSG& message) override;

protected:
    void OnCreate(CREATESTRUCTW&) override;
    void OnDestroy() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMove() override;
    bool OnSize(UINT type, int width, int height) override;
    bool OnActivate(bool active) override;
    bool OnClose() override;
    bool OnQueryEndSession(LRESULT& result) override;
    bool OnEndSession(bool ending) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnSysCommand(WPARAM command) override;
    bool OnInitMenu(HMENU menu) override;
    bool OnInitMenuPopup(HMENU menu, bool systemMenu) override;
    bool OnContextMenu(HWND from, int x, int y) override;
    bool OnDropFiles(HDROP drop) override;
    bool OnCopyData(const COPYDATASTRUCT& data, LRESULT& result) override;
    bool OnAppMessage(UINT offset, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnDpiChanged(UINT dpi, const RECT& suggested) override;
    bool OnSettingChange(UINT action, const wchar_t* area) override;

private:
    // BrowsingHost.
    bool OpenDocument(const String& path, CharsetId code) override;
    void ShowHomeMenu() override;
    void BroadcastHistoryChanged() override;
    void BroadcastFavoritesChanged() override;
    // SessionPorts (main_window_ports.cpp).
    SaveAnswer AskSave() override;
    bool ChooseSavePath(SaveChoice& choice) override;
    bool ChooseOpenPath(const String& initialPath, const String& folder, OpenChoice& chosen) override;
    bool ChooseReopenEncoding(CharsetId current, CharsetId& chosen) override;
    void ReportFailure(Failure failure) override;
    bool ShowInSomeWindow(const String& path, CharsetId code) override;
    void LaunchInstance(const String& arguments) override;
    void DocumentShown() override;
    void DocumentStateChanged() override;
    void DocumentSaved(const String& path) override;
    void CloseWindow() override;
    void ContinueLoadLater() override;
    void ShowLoadProgress(std::uint32_t percent) override;
    void ShowSaveProgress(std::uint32_t percent) override;
    void LoadEnded(LoadEnd how) override;
    EditorViewSettings& View() override;
    // SaveQuestions (main_window_save_questions.cpp).
    LossAnswer AskLossySave(const std::vector<LostCharacter>& lost, bool offerUtf8) override;
    ChangedFileAnswer AskChangedOnDisk() override;
    bool AskReloadChanged() override;
    bool AskOverwriteInexact(LoadNotice notice) override;
    void ReportSaveFailure(const SaveFailureReport& report) override;
    void ShowLoadNotice(LoadNotice notice) override;
    // A message box with string `text` under the product name; the button chosen.
    int AskBox(unsigned text, UINT style);
    // WindowCommands (main_window_commands.cpp).
    void NewWindow() override;
    void Close() override;
    void OpenFind() override;
    void FindAgain(bool forward) override;
    void JumpToLine() override;
    void EditSettings() override;
    void ManageFavorites() override;
    void ToggleStatusBar() override;
    void About() override;
    void SwitchWindow(bool next) override;
    void StartProgram(const ProgramStart& start) override;
    String DateTimeText() override;
    void DocTypesChanged() override;
    void ReportFavoriteNotStored() override;
    void ReportHistoryNotCleared(ListWrite why) override;
    // EditorEvents.
    void OnLinkActivated(const String& baseFolder, const String& linkText) override;
    void OnStatusText(const String& text) override;
    // LinkOpenPorts (main_window_ports.cpp).
    void OpenNote(const String& path) override;
    void HandToShell(const String& target, const String& folder) override;
    RunAnswer AskBeforeRunning(const String& path, bool share) override;
    void ReportNotOpened(const String& target) override;
    // BusyListener: a wait for another instance ran out.
    void OnOtherInstanceBusy() override;
    bool OnReadOnlyRequest(bool readOnly) override;

    // Puts the window where it was left (SetWindowPlacement, the coordinates
    // GetWindowPlacement gave when it was saved); kSystemDefaultCoordinate
    // leaves a value to the system. Until then moves are not recorded.
    struct RememberedPlace {
        std::int32_t x, y, width, height;
    };
    void RestorePlacement(const RememberedPlace& place);
    // The bars' fonts and the view at the window's DPI.
    void FollowDpi(UINT dpi);
    // The view's colours and the title bar for the system's colour scheme.
    void FollowColorScheme();
    // A load's slices for one timer tick: until it ends, input waits or the tick's time is spent.
    void RunLoadSlices();
    // While the text is not the whole file: Escape stops a running load, and
    // typing or an edit command is refused with a beep. True when `message` was taken.
    bool RefusedWhileIncomplete(const MSG& message);
    bool TextIncomplete() const { return session_.Text().State() != TextState::kComplete; }
    // Drives a sliced load (main_window_ports.cpp asks for it, OnTimer runs it).
    static constexpr UINT_PTR kLoadTimer = 2;

    // Title, bars, menus (main_window_menus.cpp).
    void RefreshTitle();
    void Layout();
    void UpdateNavButtons();
    void UpdateHomeButton();
    void DropDown(int buttonId);
    MenuInputs CurrentMenuInputs();
    void RebuildHistoryMenu();
    void RebuildDocTypeMenu();

    std::unique_ptr<ConfigStore> config_;
    FavoriteList favorites_;
    NavChain chain_;
    Browser browser_;
    JournalFolder journals_;
    Session session_;
    ViewEditor editor_{session_.Text()};
    CommandContext commands_{*config_, session_, browser_, editor_, *this};
    MenuBar menuBar_;
    StatusBar statusBar_;
    bool winsockStarted_ = false;
    bool placementRestored_ = false;
    // As the settings had it when the window was made: the placement's first moves overwrite them.
    bool startMaximized_ = false;
    AcceleratorTable accelTable_;
    AcceleratorTable favoriteKeys_;
    Menu contextMenu_;
    FindDialog find_{session_.Text(), editor_};
    LinkOpener linkOpener_{*this};
    NotebookHost notebook_{session_, editor_, statusBar_, favorites_, *config_};  // last: its threads stop first
};

}  // namespace pathbook
