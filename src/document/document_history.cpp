// Document's undo and redo: commands run here, their inverses go to the chain,
// and a change of the modified state is announced.
#include "document/document.h"

namespace pathbook {

bool Document::Execute(EditCommand& command) {
    if (editLocked_) return false;
    bool wasModified = IsModified();
    undo_.Record(RunEdit(command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
    return true;
}

bool Document::Undo() {
    EditCommand* command = undo_.UndoCommand();
    if (editLocked_ || command == nullptr) return false;
    bool wasModified = IsModified();
    undo_.StepBack(RunEdit(*command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
    return true;
}

bool Document::Redo() {
    EditCommand* command = undo_.RedoCommand();
    if (editLocked_ || command == nullptr) return false;
    bool wasModified = IsModified();
    undo_.StepForward(RunEdit(*command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
    return true;
}

void Document::ClearAll() {
    DeleteCommand everything(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));
    RunEdit(everything);
    undo_.Clear();
    NotifyDirtyFlag();
}

}  // namespace pathbook
