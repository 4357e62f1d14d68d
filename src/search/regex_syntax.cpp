// Tested by tests/unit/search/regex_grammar_test.cpp.
#include "search/regex_syntax.h"

#include <utility>

namespace pathbook::search {

NodeIndex SyntaxTree::Add(SyntaxNode node) {
    nodes_.push_back(std::move(node));
    return static_cast<NodeIndex>(nodes_.size() - 1);
}

bool SyntaxTree::CheckInvariants() const {
    for (NodeIndex i = 0; i < Count(); ++i) {
        const SyntaxNode& node = (*this)[i];
        bool binary = node.kind == NodeKind::Concat || node.kind == NodeKind::Alternation;
        bool unary = node.kind == NodeKind::Star || node.kind == NodeKind::Plus || node.kind == NodeKind::Optional;
        if ((binary || unary) && !(node.left >= 0 && node.left < i)) return false;
        if (binary && !(node.right >= 0 && node.right < i)) return false;
        for (const UnitRange& range : node.ranges) {
            if (range.low > range.high) return false;
        }
    }
    return root == kNoNode || (root >= 0 && root < Count());
}

}  // namespace pathbook::search
