// The syntax tree of a pattern, kept in one array: children are indexes into
// it, so neither building, walking nor freeing the tree needs recursion. The
// parser appends children before their parents. Tested by
// tests/unit/search/regex_grammar_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

namespace pathbook::search {

// An inclusive range of UTF-16 units; low <= high.
struct UnitRange {
    char16_t low;
    char16_t high;
};

using NodeIndex = std::int32_t;
constexpr NodeIndex kNoNode = -1;

enum class NodeKind : std::uint8_t {
    Char,         // unit
    Class,        // ranges, negated: one unit inside (outside) any range
    Concat,       // left then right
    Alternation,  // left or right
    Star,         // left, zero or more times
    Plus,         // left, one or more times
    Optional,     // left, zero or one time
    Empty,        // the empty string
};

struct SyntaxNode {
    NodeKind kind = NodeKind::Empty;
    char16_t unit = 0;            // Char
    bool negated = false;         // Class
    NodeIndex left = kNoNode;     // Concat, Alternation; the child of Star, Plus, Optional
    NodeIndex right = kNoNode;    // Concat, Alternation
    std::vector<UnitRange> ranges;  // Class
};

class SyntaxTree {
public:
    NodeIndex Add(SyntaxNode node);
    const SyntaxNode& operator[](NodeIndex index) const { return nodes_[static_cast<std::size_t>(index)]; }
    SyntaxNode& operator[](NodeIndex index) { return nodes_[static_cast<std::size_t>(index)]; }
    std::int32_t Count() const { return static_cast<std::int32_t>(nodes_.size()); }

    NodeIndex root = kNoNode;  // kNoNode only before parsing

    // Children precede their parents; every child index is valid.
    bool CheckInvariants() const;

private:
    std::vector<SyntaxNode> nodes_;
};

}  // namespace pathbook::search
