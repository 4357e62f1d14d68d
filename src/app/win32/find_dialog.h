// Find & Replace (dialog 108, modeless): the window over the FindState. It
// lives as long as the main window; its dialog window comes and goes, and the
// texts, options and searcher stay when it is closed, so F3 and Shift+F3 go on
// searching for the last text read from it. The main window's message loop
// offers it every message (PreTranslate) for its keyboard navigation.
#pragma once

#include "app/editor_actions.h"
#include "document/document.h"
#include "framework/dialog.h"
#include "search/find_options.h"
#include "search/find_ports.h"
#include "search/find_state.h"

namespace pathbook {

class FindDialog final : public Dialog, search::FindDialogPort {
public:
    // `document` and `editor` (the selection on it) outlive the dialog.
    FindDialog(Document& document, EditorActions& editor);

    // The options as the settings file keeps them.
    void SetOptions(const search::FindOptions& options) { state_.SetOptions(options); }
    search::FindOptions Options() const { return state_.Options(); }

    // Find (Ctrl+F): raises the dialog, or creates it over `owner`.
    void Open(HWND owner);
    // Find Next (F3) and Find Prev (Shift+F3): without a prepared search text
    // they open the dialog instead.
    void FindAgain(HWND owner, bool forward);

protected:
    void OnInit() override;
    void OnDestroy() override;
    bool OnCommand(WORD notifyCode, WORD id, HWND control) override;

private:
    enum class Action { kFindNext, kFindPrev, kReplace, kReplaceAll };

    // FindDialogPort.
    bool ReadTexts(search::FindDialogTexts& texts) override;
    void ReportNotFound() override;
    void ReportReplaced(std::int32_t count) override;
    void CloseDialog() override;
    void ReportLocked() override;

    // A button: reads the dialog, prepares the search for its direction, runs it.
    void RunButton(Action action);
    // Runs `action` on the editor's document and shows the selection it leaves.
    void Run(Action action);
    String ItemText(int id) const;
    HWND MessageOwner() const;

    Document& document_;
    EditorActions& editor_;
    HWND owner_ = nullptr;  // the main window, given by the last command
    search::FindState state_{*this};
};

}  // namespace pathbook
