// Document's undo and redo: commands run here, their inverses go to the chain,
// and a change of the modified state is announced. A text that is not
// complete (loading, or cut short) takes no edits: the user would be editing
// a text that is not the file's.
#include "document/document.h"
#include "document/pending_load.h"

namespace pathbook {

void Document::Execute(EditCommand& command) {
    if (state_ != TextState::kComplete) return;
    bool wasModified = IsModified();
    undo_.Record(RunEdit(command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::Undo() {
    if (state_ != TextState::kComplete) return;
    EditCommand* command = undo_.UndoCommand();
    if (command == nullptr) return;
    bool wasModified = IsModified();
    undo_.StepBack(RunEdit(*command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::Redo() {
    if (state_ != TextState::kComplete) return;
    EditCommand* command = undo_.RedoCommand();
    if (command == nullptr) return;
    bool wasModified = IsModified();
    undo_.StepForward(RunEdit(*command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::ClearAll() {
    load_.reset();
    state_ = TextState::kComplete;
    DeleteCommand everything(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));
    Execute(everything);
    undo_.Clear();
    NotifyDirtyFlag();
}

}  // namespace pathbook
