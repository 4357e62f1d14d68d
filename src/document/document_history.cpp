// Document's undo and redo: commands run here, their inverses go to the chain,
// and a change of the modified state is announced.
#include "document/document.h"

namespace pathbook {

void Document::Execute(EditCommand& command) {
    bool wasModified = IsModified();
    undo_.Record(command.Execute(*this));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::Undo() {
    EditCommand* command = undo_.UndoCommand();
    if (command == nullptr) return;
    bool wasModified = IsModified();
    undo_.StepBack(command->Execute(*this));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::Redo() {
    EditCommand* command = undo_.RedoCommand();
    if (command == nullptr) return;
    bool wasModified = IsModified();
    undo_.StepForward(command->Execute(*this));
    if (IsModified() != wasModified) NotifyDirtyFlag();
}

void Document::ClearAll() {
    DeleteCommand everything({0, 0}, {kEndOfText, kEndOfText});
    Execute(everything);
    undo_.Clear();
    NotifyDirtyFlag();
}

}  // namespace pathbook
