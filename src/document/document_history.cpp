// Document's undo and redo: commands run here, their inverses go to the chain,
// and a change of the modified state is announced.
#include "document/document.h"

namespace pathbook {

void Document::Execute(EditCommand& command) {
    bool wasModified = IsModified();
    undo_.Record(RunEdit(command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::Undo() {
    EditCommand* command = undo_.UndoCommand();
    if (command == nullptr) return;
    bool wasModified = IsModified();
    undo_.StepBack(RunEdit(*command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::Redo() {
    EditCommand* command = undo_.RedoCommand();
    if (command == nullptr) return;
    bool wasModified = IsModified();
    undo_.StepForward(RunEdit(*command));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::ClearAll() {
    DeleteCommand everything(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));
    Execute(everything);
    undo_.Clear();
    NotifyDirtyFlag();
}

}  // namespace pathbook
