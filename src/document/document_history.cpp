// Document's undo and redo: commands run here, their inverses go to the chain,
// and a change of the modified state is announced. A text that is not
// complete (loading, or cut short) takes no edits: the user would be editing
// a text that is not the file's.
#include "document/document.h"
#include "document/pending_load.h"

namespace pathbook {

bool Document::Execute(EditCommand& command) {
    if (!Editable()) return false;
    bool wasModified = IsModified();
    undo_.Record(RunEdit(command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
    return true;
}

bool Document::Undo() {
    EditCommand* command = undo_.UndoCommand();
    if (!Editable() || command == nullptr) return false;
    bool wasModified = IsModified();
    undo_.StepBack(RunEdit(*command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
    return true;
}

bool Document::Redo() {
    EditCommand* command = undo_.RedoCommand();
    if (!Editable() || command == nullptr) return false;
    bool wasModified = IsModified();
    undo_.StepForward(RunEdit(*command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
    return true;
}

void Document::ClearAll() {
    load_.reset();
    state_ = TextState::kComplete;
    DeleteCommand everything(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));
    RunEdit(everything);
    undo_.Clear();
    NotifyDirtyFlag();
}

}  // namespace pathbook
