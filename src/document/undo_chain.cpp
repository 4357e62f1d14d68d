#include "document/undo_chain.h"

#include <utility>

namespace pathbook {

UndoChain::UndoChain() : lastOp_(&header_), savedPos_(&header_), count_(0), limit_(kUnlimitedUndo) {}

UndoChain::~UndoChain() { DropAfter(&header_); }

std::uint32_t UndoChain::DropAfter(Node* last) {
    std::uint32_t dropped = 0;
    Node* node = last->next;
    while (node != &header_) {
        Node* next = node->next;
        if (node == savedPos_) savedPos_ = nullptr;
        delete node;
        node = next;
        ++dropped;
    }
    last->next = &header_;
    header_.prev = last;
    return dropped;
}

void UndoChain::Record(std::unique_ptr<EditCommand> inverse) {
    count_ -= DropAfter(lastOp_);
    Node* node = new Node;
    node->command = std::move(inverse);
    node->prev = lastOp_;
    node->next = &header_;
    lastOp_->next = node;
    header_.prev = node;
    lastOp_ = node;
    ++count_;
    while (limit_ < count_) {
        Node* oldest = header_.next;
        header_.next = oldest->next;
        oldest->next->prev = &header_;
        if (savedPos_ == &header_) {
            savedPos_ = nullptr;
        } else if (savedPos_ == oldest) {
            savedPos_ = &header_;
        }
        delete oldest;
        --count_;
    }
}

void UndoChain::StepBack(std::unique_ptr<EditCommand> redo) {
    if (!CanUndo()) return;
    lastOp_->command = std::move(redo);
    lastOp_ = lastOp_->prev;
}

void UndoChain::StepForward(std::unique_ptr<EditCommand> undo) {
    if (!CanRedo()) return;
    lastOp_ = lastOp_->next;
    lastOp_->command = std::move(undo);
}

void UndoChain::Clear() {
    DropAfter(&header_);
    lastOp_ = savedPos_ = &header_;
    count_ = 0;
}

bool UndoChain::CheckInvariants() const {
    std::uint32_t nodes = 0;
    bool lastOpSeen = lastOp_ == &header_;
    bool savedSeen = savedPos_ == nullptr || savedPos_ == &header_;
    for (const Node* node = header_.next; node != &header_; node = node->next) {
        if (node->next->prev != node || node->command == nullptr) return false;
        lastOpSeen = lastOpSeen || node == lastOp_;
        savedSeen = savedSeen || node == savedPos_;
        ++nodes;
    }
    return nodes == count_ && lastOpSeen && savedSeen && header_.command == nullptr;
}

}  // namespace pathbook
