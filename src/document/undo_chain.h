// The history of a document: the inverses of executed commands, oldest first,
// in a circular list through a header node. It also decides whether the
// document is modified: it remembers the node at which the text was last
// loaded, cleared or saved.
//
// Nodes are freed in loops, never recursively, so a history of millions of
// steps costs no stack.
#pragma once

#include <cstdint>
#include <memory>

#include "document/edit_command.h"

namespace pathbook {

constexpr std::uint32_t kUnlimitedUndo = 0xFFFFFFFF;

class UndoChain {
public:
    UndoChain();
    ~UndoChain();
    UndoChain(const UndoChain&) = delete;
    UndoChain& operator=(const UndoChain&) = delete;

    bool CanUndo() const { return lastOp_ != &header_; }
    bool CanRedo() const { return lastOp_->next != &header_; }
    bool IsModified() const { return lastOp_ != savedPos_; }
    std::uint32_t Count() const { return count_; }

    // Takes effect at the next Record; 0 is stored as 1.
    void SetLimit(std::uint32_t limit) { limit_ = limit == 0 ? 1 : limit; }

    // Discards the redo branch, appends `inverse` as the newest step and drops
    // the oldest steps beyond the limit.
    void Record(std::unique_ptr<EditCommand> inverse);

    // The command that undoes the newest step (null when there is none); after
    // running it, StepBack stores the command that redoes it.
    EditCommand* UndoCommand() const { return CanUndo() ? lastOp_->command.get() : nullptr; }
    void StepBack(std::unique_ptr<EditCommand> redo);
    // The command that redoes the next step (null when there is none); after
    // running it, StepForward stores the command that undoes it again.
    EditCommand* RedoCommand() const { return CanRedo() ? lastOp_->next->command.get() : nullptr; }
    void StepForward(std::unique_ptr<EditCommand> undo);

    // The current state is the saved one.
    void MarkSaved() { savedPos_ = lastOp_; }
    // Forgets every step; the current state is the saved one.
    void Clear();

    bool CheckInvariants() const;

private:
    struct Node {
        Node* next = this;
        Node* prev = this;
        std::unique_ptr<EditCommand> command;  // null only in the header
    };

    // Unlinks and frees the nodes after `last`; returns how many, and clears
    // savedPos_ when it was one of them.
    std::uint32_t DropAfter(Node* last);

    Node header_;          // oldest node is header_.next; the newest is header_.prev
    Node* lastOp_;         // newest executed or redone step; &header_ when nothing can be undone
    Node* savedPos_;       // the saved state; &header_ before the oldest node; null when unreachable
    std::uint32_t count_;  // nodes, header not counted
    std::uint32_t limit_;  // invariant: count_ <= limit_ after each Record; >= 1
};

}  // namespace pathbook
