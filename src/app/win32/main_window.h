// The program's one top-level window per process: it owns the settings, the
// favourites, the navigation chain, the editor and the bars, and turns menu
// items, accelerators, toolbar buttons, dropped files and messages from other
// instances into calls on them. Instances find each other by its class,
// "Pathbook MainWnd".
#pragma once

#include <memory>

#include "app/win32/bars.h"
#include "app/win32/editor_port.h"
#include "app/win32/find_dialog.h"
#include "framework/handles.h"
#include "framework/window.h"
#include "app/menu_states.h"
#include "config/config_store.h"
#include "navigation/browsing.h"
#include "navigation/favorite_list.h"
#include "navigation/nav_chain.h"
#include "runtime/string.h"
#include "textfile/charset.h"

namespace pathbook {

class MainWindow final : public Window, BrowsingHost, EditorEvents {
public:
    // Builds the settings, favourites and editor, starts Windows Sockets,
    // registers the class and attaches the navigation chain.
    MainWindow();
    ~MainWindow() override;

    // Creates the window at the remembered place (or where the starting
    // process was asked to appear) and sets it up for `file` (empty or
    // unreadable: a new document). `line` is a 1-based line to jump to, or -1.
    void Create(const String& file, CharsetId charset, std::int32_t line);
    // Shows the window, maximised when that was remembered.
    void Show();

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
    bool OnSysCommand(WPARAM command) override;
    bool OnInitMenu(HMENU menu) override;
    bool OnInitMenuPopup(HMENU menu, bool systemMenu) override;
    bool OnContextMenu(HWND from, int x, int y) override;
    bool OnDropFiles(HDROP drop) override;
    bool OnCopyData(const COPYDATASTRUCT& data, LRESULT& result) override;
    bool OnAppMessage(UINT offset, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct CommandEntry;
    static const CommandEntry kCommands[];

    // BrowsingHost.
    bool OpenDocument(const String& path, CharsetId code) override;
    void ShowHomeMenu() override;
    void BroadcastHistoryChanged() override;
    void BroadcastFavoritesChanged() override;
    // EditorEvents.
    void OnModifiedChanged(bool modified) override;
    void OnLinkActivated(const String& baseFolder, const String& linkText) override;

    // Documents.
    bool LoadDocument(const String& path, CharsetId charset, bool applySettings);
    void SetUpNewDocument();
    bool Save();
    bool SaveAs();
    bool ChooseSavePath();
    bool WriteDocument();
    bool AskSave();
    void Exit();
    void ApplyDocType();
    void SetEncoding(CharsetId charset);

    // Commands of the shell.
    void NewFile();
    void OpenFile();
    void Reopen();
    void SaveCommand();
    void SaveAsCommand();
    void Undo();
    void Redo();
    void Cut();
    void Copy();
    void Paste();
    void DeleteSelection();
    void SelectAll();
    void NoWrap();
    void WrapAtWidth();
    void WrapAtEdge();
    void EditSettings();
    void JumpToLine();
    void OpenFind();
    void FindNext();
    void FindPrev();
    void InsertDateTime();
    void NextWindow();
    void PreviousWindow();
    void Grep();
    void ToggleStatusBar();
    void About();
    void ToggleNoEditing();
    void AddToFavorites();
    void ManageFavorites();
    void GoHome();
    void GoBack();
    void GoForward();
    void ClearHistory();
    bool RunDynamicCommand(int id);
    void SetWrap(std::int32_t wrap);

    // Title, bars, menus.
    void RefreshTitle();
    void Layout();
    void UpdateNavButtons();
    void UpdateHomeButton();
    void DropDown(int buttonId);
    MenuInputs CurrentMenuInputs();
    void ApplyMenuStates(HMENU menu, const MenuStates& states);
    void RebuildHistoryMenu();
    void RebuildDocTypeMenu();
    bool Locked() const { return editor_->ReadOnly(); }

    std::unique_ptr<ConfigStore> config_;
    FavoriteList favorites_;
    NavChain chain_;
    Browser browser_;
    std::unique_ptr<EditorPort> editor_;
    MenuBar menuBar_;
    StatusBar statusBar_;
    String filePath_;  // empty: a new, untitled document
    bool winsockStarted_ = false;
    CharsetId charset_ = 0;           // the encoding the document is saved with
    std::int32_t encodingIndex_ = -1;  // its row in the table; -1 when the table lacks it
    LineEnd lineBreak_ = LineEnd::kCrLf;
    std::int32_t wrapMode_ = -1;
    AcceleratorTable accelTable_;
    AcceleratorTable favoriteKeys_;
    Menu contextMenu_;
    FindDialog find_{*editor_};
};

}  // namespace pathbook
