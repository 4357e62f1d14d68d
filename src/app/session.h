// One open document's life, decided without a window: which file it is (path,
// encoding row, line-end style), how it wraps, whether editing is locked, and
// what loading, saving, Save As, reopening, the save prompt, opening another
// document and exit do. The session owns the Document; the window shows it,
// answers the session's questions and shows what it reports, through
// SessionPorts. While the document is modified its unsaved text is kept in a
// recovery journal (recovery/journal_recorder.h), so that a crash loses at
// most the last moments of typing; the journal goes once the text is saved or
// its changes are given up. Tested by session_test.cpp.
#pragma once

#include <cstdint>

#include "app/file_dialog_choices.h"
#include "app/save_questions.h"
#include "config/apply_to_editor.h"
#include "config/config_store.h"
#include "document/document.h"
#include "navigation/browsing.h"
#include "platform/file_identity.h"
#include "recovery/journal_folder.h"
#include "recovery/journal_recorder.h"
#include "recovery/recovered_journal.h"
#include "runtime/string.h"
#include "textfile/charset.h"
#include "textfile/text_file_in.h"

namespace pathbook {

enum class SaveAnswer { kYes, kNo, kCancel };

// The failures the user is told of (strings 6, 3 and 172).
enum class Failure {
    kOpen,
    kSave,
    kIncompleteText,  // a save of a text whose load was stopped or failed: it is not the file's
};

// How a load that ran in slices ended.
enum class LoadEnd {
    kComplete,
    kStopped,  // by the user: the text read so far stays, incomplete
    kFailed,   // the file broke off (reported): the text read so far stays, incomplete
};

// What the session asks of the window. Called on the UI thread.
class SessionPorts : public SaveQuestions {
public:
    // The save prompt: save the changes first?
    virtual SaveAnswer AskSave() = 0;
    // The save dialog, starting from `choice`, which holds the answer; false on Cancel.
    virtual bool ChooseSavePath(SaveChoice& choice) = 0;
    // The open dialog, starting in `folder` with `initialPath` in its name box; false on Cancel.
    virtual bool ChooseOpenPath(const String& initialPath, const String& folder, OpenChoice& chosen) = 0;
    // The reopen dialog with `current` selected; false on Cancel.
    virtual bool ChooseReopenEncoding(CharsetId current, CharsetId& chosen) = 0;
    virtual void ReportFailure(Failure failure) = 0;
    // Offers the document to the running windows, this one first; true when one shows it now.
    virtual bool ShowInSomeWindow(const String& path, CharsetId code) = 0;
    // Starts a new process of the program with `arguments`.
    virtual void LaunchInstance(const String& arguments) = 0;
    // A new document is on show (loaded or set up new): the caret goes to its
    // start, and the title, bars and buttons follow.
    virtual void DocumentShown() = 0;
    // The path, encoding, line end, lock or modified state changed: the title
    // and the status bar's codes follow.
    virtual void DocumentStateChanged() = 0;
    // The document was written to its file at `path` (the notebook reads it again).
    virtual void DocumentSaved(const String& path) { static_cast<void>(path); }
    // The session is over: close the window.
    virtual void CloseWindow() = 0;
    // A load goes on in slices: call Session::LoadSlice between the window's
    // messages until it returns false.
    virtual void ContinueLoadLater() = 0;
    // How far the running load has got, 0 to 100, for the status bar.
    virtual void ShowLoadProgress(std::uint32_t percent) = 0;
    // How far the save of a big document has got, 0 to 99, with the window
    // kept painted meanwhile; 100 once it has ended (the bar clears).
    virtual void ShowSaveProgress(std::uint32_t percent) = 0;
    // A load that ran in slices ended; the caret stays where the user put it
    // meanwhile, and the title, bars and buttons follow.
    virtual void LoadEnded(LoadEnd how) = 0;
    // Where the document type's appearance and the wrap value go.
    virtual EditorViewSettings& View() = 0;
};

class Session final : EditorDocumentSettings, DocListener {
public:
    // A new, untitled document in the settings' encoding and line end.
    // `startFolder` is the folder the program started in. `journals` is where
    // the unsaved text is kept (null, or a folder that is not open: nowhere).
    // The references outlive the session.
    Session(ConfigStore& config, Browser& browser, SessionPorts& ports, String startFolder,
            JournalFolder* journals = nullptr);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Document& Text() { return document_; }
    const Document& Text() const { return document_; }
    const String& Path() const { return path_; }  // empty: untitled
    bool Untitled() const { return path_.Empty(); }
    CharsetId Charset() const { return charset_; }
    // The encoding's row in the table; -1 when the table lacks it.
    std::int32_t EncodingRow() const { return encodingRow_; }
    LineEnd LineBreak() const { return lineBreak_; }
    std::int32_t Wrap() const { return wrap_; }
    bool Modified() const { return document_.IsModified(); }
    bool Locked() const { return document_.EditLocked(); }
    // The note's folder with a trailing separator: the base of its relative
    // links, where the open dialog starts and grep's %D; the start folder while untitled.
    String Folder() const;

    // Reads `path` (made absolute) in `charset` (0: detect) into the document;
    // `applySettings` applies the document type as well. On failure to open
    // the user is told and the document on show stays. The lock follows the
    // file's read-only attribute and the ReadOnly setting. A file longer than
    // the first slice goes on loading through LoadSlice; the chain, the
    // history and the journal learn of it once its load ends.
    bool Load(const String& path, CharsetId charset, bool applySettings);
    // Reads the next slice of a running load, ending it when the file is in
    // or broke off (reported); false once no load runs.
    bool LoadSlice();
    // Escape or closing the window: a running load ends where it stands,
    // its text incomplete (neither editable nor saved). Nothing otherwise.
    void StopLoad();
    bool Loading() const { return document_.State() == TextState::kLoading; }
    // The window's first document when there is no file to load.
    void SetUpNew();
    // Routes a document to a running window, a new process or this window
    // (asking to save first when this one is modified). False when nothing
    // opened: the file cannot be read, or the user kept the document on show.
    bool OpenDocument(const String& path, CharsetId code);
    // The open dialog, then the document chosen, opened by way of the browser.
    void OpenFile();
    // Saves to the document's file, asking for one while untitled. The chosen
    // path, encoding and line end are kept even when the write fails: the next
    // Save tries them again. A failed write is reported and leaves the document
    // modified. A text not read to its end is refused (reported) before any question.
    // Asked first: a file changed on the disk since (overwrite, reload or
    // cancel), the first save over a load that was not exact, and a text the
    // encoding cannot hold (UTF-8 instead, the losses, or cancel).
    bool Save();
    bool SaveAs();
    // Reads the file again in an encoding the user picks, after the save prompt.
    void Reopen();
    // The save prompt for a modified document: false when the user cancels or the save fails.
    bool AskSave();
    // After the save prompt: closes the window and stores the wrap value. False
    // when cancelled. The unsaved text is given up, so no journal is left behind.
    bool Exit();

    // Rebuilds the unsaved document a journal holds (claimed from a process
    // that ended without saving it): its path, encoding, line end and text,
    // modified and never saved by itself; the journal goes on recording it.
    void Restore(const RecoveredJournal& journal);
    // Hands what the journal has queued to its writer (a timer calls this at
    // least once a second); with `wait`, until it is on disk (the end of a
    // Windows session).
    void FlushJournal(bool wait);

    // The window was activated: a file changed on the disk is read again (a
    // modified document only when the user says so), a deleted one marks the
    // title. Each change is dealt with once.
    void CheckFileOnDisk();
    // The document's file was there when loaded or saved and is gone now.
    bool FileGone() const { return fileGone_; }

    void ToggleLock();
    // The wrap commands.
    void SetWrap(WrapCommand command);
    // Document type n (clamped) becomes the current one and is applied.
    void SelectDocType(std::size_t n);
    // The current document type and the undo limit, to the document and the view.
    void ApplyDocType();

private:
    // EditorDocumentSettings.
    void SetUndoLimit(std::int32_t limit) override;
    void SetKeywordText(const char16_t* definition) override;
    // DocListener.
    void OnDirtyFlagChange(bool modified) override;

    void SetEncoding(CharsetId charset);
    DocumentIdentity Identity() const;
    // The text on show is the file's (loaded or saved), or a new empty note.
    void JournalRebase();
    bool ChooseSavePath();
    // Whether the file on the disk may be overwritten now (asks as Save says).
    bool MayOverwrite();
    bool WriteDocument();
    // False, reported, unless the text on show is the whole of its file.
    bool TextComplete();
    // The load of the text on show ended; `sliced` when it outlasted the first slice.
    void EndLoad(LoadEnd how, bool sliced);
    void ReportLoadProgress();
    void ReportSaveFailure(const TextFileOut& file);
    // Reads the file again in the encoding on show.
    bool Reload();
    // The file as it is now is the one the document holds (loaded or saved).
    void RememberFile();

    ConfigStore& config_;
    Browser& browser_;
    SessionPorts& ports_;
    const String startFolder_;
    // The file of the running load; the document reads it through a borrowed source.
    std::unique_ptr<TextFileIn> reading_;
    Document document_;
    String path_;  // empty: a new, untitled document
    CharsetId charset_ = 0;           // the encoding the document is saved with
    std::int32_t encodingRow_ = -1;   // its row in the table; -1 when the table lacks it
    LineEnd lineBreak_ = LineEnd::kCrLf;
    std::int32_t wrap_ = -1;
    CharsetId loadCharset_ = 0;   // the charset the running load was asked for (0: detected)
    std::uint32_t shownPercent_ = 0;
    platform::FileIdentity seen_;     // the file when loaded or last saved
    platform::FileIdentity settled_;  // the file when a change was last dealt with
    bool fileGone_ = false;
    // Until the first save over a load that was not exact is allowed: how it was not.
    bool loadExact_ = true;
    LoadNotice inexactLoad_ = LoadNotice::kReplacedBytes;
    std::unique_ptr<JournalRecorder> journal_;  // null when no journal is kept
};

}  // namespace pathbook
