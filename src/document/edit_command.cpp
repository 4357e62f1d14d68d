#include "document/edit_command.h"

#include "document/document.h"

namespace pathbook {

DocPos EditCommand::Change(Document& document, DocPos& from, DocPos& to, std::u16string_view text,
                           std::u16string& removed) {
    return document.Change(from, to, text, removed);
}

std::unique_ptr<EditCommand> InsertCommand::Execute(Document& document) {
    DocPos pos = pos_;
    DocPos to = pos_;
    std::u16string removed;
    DocPos end = Change(document, pos, to, text_, removed);
    return std::make_unique<DeleteCommand>(pos, end);
}

std::unique_ptr<EditCommand> DeleteCommand::Execute(Document& document) {
    DocPos from = from_;
    DocPos to = to_;
    std::u16string removed;
    Change(document, from, to, {}, removed);
    return std::make_unique<InsertCommand>(from, std::move(removed));
}

std::unique_ptr<EditCommand> ReplaceCommand::Execute(Document& document) {
    DocPos from = from_;
    DocPos to = to_;
    std::u16string removed;
    DocPos end = Change(document, from, to, text_, removed);
    return std::make_unique<ReplaceCommand>(from, end, std::move(removed));
}

std::unique_ptr<EditCommand> CommandGroup::Execute(Document& document) {
    auto inverse = std::make_unique<CommandGroup>();
    inverse->commands_.resize(commands_.size());
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        inverse->commands_[commands_.size() - 1 - i] = commands_[i]->Execute(document);
    }
    return inverse;
}

}  // namespace pathbook
