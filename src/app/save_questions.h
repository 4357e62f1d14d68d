// What the session asks the window, and tells it, so that a save never loses
// a character or another program's text: a save that would lose characters,
// a file changed on the disk since it was loaded or saved, a load that was not
// exact, and a save that failed. Called on the UI thread.
#pragma once

#include <vector>

#include "runtime/string.h"
#include "textfile/text_file_out.h"

namespace pathbook {

// The answers to a save that would lose characters; kCancel is the default.
enum class LossAnswer { kSaveInUtf8, kSaveWithLosses, kCancel };

// The answers to a save over a file another program changed; kCancel is the default.
enum class ChangedFileAnswer { kOverwrite, kReload, kCancel };

// A word for the status bar about the document just loaded.
enum class LoadNotice {
    kReloaded,       // the file changed on the disk and was read again
    kReplacedBytes,  // bytes that are no character of the encoding were replaced
    kHeldNul,        // the file holds NUL bytes: a binary file
};

// Why a save failed, in words for the user.
struct SaveFailureReport {
    SaveFailure failure = SaveFailure::kNone;
    String reason;   // the system's words; may be empty
    String newFile;  // with kBothKept: where the new text is
    String oldFile;  // with kBothKept: where the old one is (may be empty)
};

class SaveQuestions {
public:
    virtual ~SaveQuestions() = default;
    // The first characters (at most kReportedLosses) the document's encoding
    // cannot hold; `offerUtf8` is false when the encoding is UTF-8 already.
    virtual LossAnswer AskLossySave(const std::vector<LostCharacter>& lost, bool offerUtf8) = 0;
    // Save over a file changed on the disk since it was loaded or saved?
    virtual ChangedFileAnswer AskChangedOnDisk() = 0;
    // The window was activated and the file of the modified document changed:
    // true to read it again and lose the changes, false to keep editing.
    virtual bool AskReloadChanged() = 0;
    // The first save over a file whose load was not exact (`notice` says how):
    // true to overwrite it.
    virtual bool AskOverwriteInexact(LoadNotice notice) = 0;
    virtual void ReportSaveFailure(const SaveFailureReport& report) = 0;
    virtual void ShowLoadNotice(LoadNotice notice) = 0;
};

}  // namespace pathbook
