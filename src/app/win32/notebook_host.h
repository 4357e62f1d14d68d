// The notebook in the main window: the index of the window's notebook (the
// home page's folder, else the open note's) built and kept fresh off the UI
// thread, with its progress in the status bar, and the commands over it:
// Links Here (a dialog, and the toolbar's drop-down), Search notes, Check
// links and Next broken link. A chosen place
// opens in this window (after the save prompt) with the caret on the link or
// the match selected.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "app/notebook_places.h"
#include "app/session.h"
#include "app/win32/bars.h"
#include "app/win32/view_editor.h"
#include "config/config_store.h"
#include "navigation/favorite_list.h"
#include "notebook/notebook.h"
#include "search/find_options.h"

namespace pathbook {

class NotebookHost final : NotebookListener {
public:
    // The references outlive the host.
    NotebookHost(Session& session, ViewEditor& editor, StatusBar& status, const FavoriteList& favorites,
                 const ConfigStore& config);
    NotebookHost(const NotebookHost&) = delete;
    NotebookHost& operator=(const NotebookHost&) = delete;

    // The window the index's news is posted to; before any other call.
    void Attach(HWND window);
    // The home page or the note on show changed: opens the notebook they name.
    void Follow();
    // The window was activated: changes on disk are picked up.
    void Recheck() { notebook_.Recheck(); }
    // The program wrote the note at `path`.
    void Saved(const String& path) { notebook_.NoteSaved(path.View()); }
    // Runs command `id` when it is one of the notebook's; false otherwise.
    bool RunCommand(WORD id);
    // The items of the Links Here drop-down for the note on show, ids from
    // `firstId`; choosing one is command firstId + its place in the list.
    std::vector<MenuItem> LinksHereMenu(std::int32_t firstId);
    // The index's news, posted to the window; false for any other message.
    bool OnAppMessage(UINT message);

private:
    // NotebookListener: on the notebook's thread, so only posted on.
    void OnIndexProgress(std::uint32_t done, std::uint32_t total) override;
    void OnIndexChanged() override;

    // False, with the status bar saying why, when the window has no notebook.
    bool HasNotebook();
    // False, with the status bar saying why when there is no notebook, for a
    // window that has no links here to list (no notebook, an untitled note).
    bool CanListLinksHere();
    std::vector<Backlink> CurrentLinksHere();
    void LinksHere();
    void SearchNotes();
    // Marks every broken file link of the note on show; with `jump`, the caret
    // goes to the next broken one after it.
    void CheckLinks(bool jump);
    void Go(const NotebookPlace& place);
    void Say(unsigned id, std::size_t first, std::size_t second);

    Session& session_;
    ViewEditor& editor_;
    StatusBar& status_;
    const FavoriteList& favorites_;
    const ConfigStore& config_;
    HWND window_ = nullptr;
    std::u16string folder_;  // the notebook open now; empty: none
    bool reading_ = false;  // the notebook opened is read for the first time: its progress shows
    // The last progress the notebook's thread told: the message that says so
    // carries nothing, so another process posting it shows only the truth.
    std::atomic<std::uint64_t> progress_{0};  // done << 32 | total
    std::vector<NotebookPlace> menuPlaces_;  // what the Links Here drop-down listed last
    std::int32_t menuFirstId_ = 0;
    std::u16string pattern_;  // what Search notes last looked for
    search::FindOptions options_;
    Notebook notebook_{this};  // last: its threads stop first
};

}  // namespace pathbook
