// Undoable edits. Executing a command changes the document through Change and
// returns the command that reverts the change, so one kind of object serves
// undo and redo alike. Commands run only through Document::Execute, Undo and
// Redo, which record them and tell the listeners.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/doc_pos.h"

namespace pathbook {

class Document;

class EditCommand {
public:
    EditCommand() = default;
    EditCommand(const EditCommand&) = delete;  // a command's view may point into its own text
    EditCommand& operator=(const EditCommand&) = delete;
    virtual ~EditCommand() = default;
    // Applies the command and returns its inverse (never null: running out of
    // memory ends the process).
    virtual std::unique_ptr<EditCommand> Execute(Document& document) = 0;

protected:
    // The one way a command changes text: replaces [from, to) (clamped and
    // ordered in place) by `text` and returns the end of the new text.
    static DocPos Change(Document& document, DocPos& from, DocPos& to, std::u16string_view text,
                         std::u16string& removed);
};

// Text given as a view or a NUL-terminated pointer is borrowed and must
// outlive Execute; text given as a moved string is owned by the command. Line breaks in the text may be CR, LF or CR LF.
class InsertCommand final : public EditCommand {
public:
    InsertCommand(DocPos pos, std::u16string_view text) : pos_(pos), text_(text) {}
    InsertCommand(DocPos pos, const char16_t* text) : InsertCommand(pos, std::u16string_view(text)) {}
    InsertCommand(DocPos pos, std::u16string&& text) : pos_(pos), owned_(std::move(text)), text_(owned_) {}
    std::unique_ptr<EditCommand> Execute(Document& document) override;

private:
    DocPos pos_;
    std::u16string owned_;
    std::u16string_view text_;  // owned_ or the creator's text
};

class DeleteCommand final : public EditCommand {
public:
    DeleteCommand(DocPos from, DocPos to) : from_(from), to_(to) {}
    std::unique_ptr<EditCommand> Execute(Document& document) override;

private:
    DocPos from_;
    DocPos to_;
};

class ReplaceCommand final : public EditCommand {
public:
    ReplaceCommand(DocPos from, DocPos to, std::u16string_view text) : from_(from), to_(to), text_(text) {}
    ReplaceCommand(DocPos from, DocPos to, const char16_t* text)
        : ReplaceCommand(from, to, std::u16string_view(text)) {}
    ReplaceCommand(DocPos from, DocPos to, std::u16string&& text)
        : from_(from), to_(to), owned_(std::move(text)), text_(owned_) {}
    std::unique_ptr<EditCommand> Execute(Document& document) override;

private:
    DocPos from_;
    DocPos to_;
    std::u16string owned_;
    std::u16string_view text_;
};

// Several commands as one undo step and one update to the listeners.
class CommandGroup final : public EditCommand {
public:
    // A null command is ignored.
    void Add(std::unique_ptr<EditCommand> command) {
        if (command != nullptr) commands_.push_back(std::move(command));
    }
    std::size_t Count() const { return commands_.size(); }
    // Runs the commands first to last; the inverse runs their inverses last to first.
    std::unique_ptr<EditCommand> Execute(Document& document) override;

private:
    std::vector<std::unique_ptr<EditCommand>> commands_;
};

}  // namespace pathbook
