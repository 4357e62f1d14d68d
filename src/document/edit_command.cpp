#include "document/edit_command.h"

#include "document/document.h"

namespace pathbook {

std::unique_ptr<EditCommand> InsertCommand::Execute(Document& document) {
    DocPos pos = pos_;
    DocPos end;
    bool reparsed = document.InsertText(pos, text_, end);
    document.NotifyTextUpdate(pos, pos, end, reparsed, true);
    return std::make_unique<DeleteCommand>(pos, end);
}

std::unique_ptr<EditCommand> DeleteCommand::Execute(Document& document) {
    DocPos from = from_;
    DocPos to = to_;
    std::u16string removed;
    bool reparsed = document.DeleteRange(from, to, removed);
    document.NotifyTextUpdate(from, to, from, reparsed, true);
    return std::make_unique<InsertCommand>(from, std::move(removed));
}

std::unique_ptr<EditCommand> ReplaceCommand::Execute(Document& document) {
    DocPos from = from_;
    DocPos to = to_;
    std::u16string removed;
    bool deleteReparsed = document.DeleteRange(from, to, removed);
    DocPos end;
    bool insertReparsed = document.InsertText(from, text_, end);
    document.NotifyTextUpdate(from, to, end, deleteReparsed || insertReparsed, true);
    return std::make_unique<ReplaceCommand>(from, end, std::move(removed));
}

std::unique_ptr<EditCommand> CommandGroup::Execute(Document& document) {
    auto inverse = std::make_unique<CommandGroup>();
    inverse->commands_.resize(commands_.size());
    document.SetBusy(true);
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        inverse->commands_[commands_.size() - 1 - i] = commands_[i]->Execute(document);
    }
    document.SetBusy(false);
    return inverse;
}

}  // namespace pathbook
