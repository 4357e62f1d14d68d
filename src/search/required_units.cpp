// Tested by tests/unit/search/required_units_test.cpp.
#include "search/required_units.h"

#include <algorithm>
#include <vector>

#include "search/regex_program.h"
#include "search/unit_rarity.h"

namespace pathbook::search {
namespace {

// Each node keeps at most this many required units, the rarest ones, so that
// the work per node stays bounded whatever the pattern.
constexpr std::size_t kMaxRequired = 8;

// Enough prefix units to pick two rare ones from.
constexpr std::size_t kMaxPrefix = 16;

using Required = std::vector<UnitProbe>;

bool SameUnits(UnitProbe x, UnitProbe y) { return (x.a == y.a && x.b == y.b) || (x.a == y.b && x.b == y.a); }

bool Contains(const Required& set, UnitProbe probe) {
    return std::any_of(set.begin(), set.end(), [probe](UnitProbe p) { return SameUnits(p, probe); });
}

// A Char, or a class that accepts one or two units: a match of the node is one of them.
bool OneUnitOf(const SyntaxNode& node, bool caseSensitive, UnitProbe* probe) {
    if (node.kind == NodeKind::Char) {
        *probe = ProbeFor(node.unit, !caseSensitive);
        return true;
    }
    if (node.kind != NodeKind::Class) return false;
    std::vector<UnitRange> accepted = CharSet(node.ranges, node.negated).AcceptedRanges(caseSensitive);
    std::size_t count = 0;
    for (const UnitRange& range : accepted) count += static_cast<std::size_t>(range.high - range.low) + 1;
    if (count == 0 || count > 2) return false;
    *probe = {accepted.front().low, accepted.back().high};
    return true;
}

Required OfUnitNode(const SyntaxNode& node, bool caseSensitive) {
    UnitProbe probe;
    if (!OneUnitOf(node, caseSensitive, &probe)) return {};
    return {probe};
}

// Both parts' units, the rarest kMaxRequired of them.
Required OfConcat(const Required& left, const Required& right) {
    Required both = left;
    for (UnitProbe probe : right) {
        if (!Contains(both, probe)) both.push_back(probe);
    }
    std::stable_sort(both.begin(), both.end(),
                     [](UnitProbe x, UnitProbe y) { return ProbeCommonness(x) < ProbeCommonness(y); });
    if (both.size() > kMaxRequired) both.resize(kMaxRequired);
    return both;
}

Required OfAlternation(const Required& left, const Required& right) {
    Required shared;
    for (UnitProbe probe : left) {
        if (Contains(right, probe)) shared.push_back(probe);
    }
    return shared;
}

Required OfNode(const SyntaxNode& node, const std::vector<Required>& required, bool caseSensitive) {
    auto of = [&required](NodeIndex i) -> const Required& { return required[static_cast<std::size_t>(i)]; };
    switch (node.kind) {
        case NodeKind::Char:
        case NodeKind::Class: return OfUnitNode(node, caseSensitive);
        case NodeKind::Concat: return OfConcat(of(node.left), of(node.right));
        case NodeKind::Alternation: return OfAlternation(of(node.left), of(node.right));
        case NodeKind::Plus: return of(node.left);
        case NodeKind::Star:
        case NodeKind::Optional:
        case NodeKind::Empty: return {};
    }
    return {};
}

}  // namespace

bool FindRequiredUnit(const SyntaxTree& tree, bool caseSensitive, UnitProbe* probe) {
    if (tree.root == kNoNode) return false;
    std::vector<Required> required(static_cast<std::size_t>(tree.Count()));
    // Children precede their parents, so one pass in index order sees every child first.
    for (NodeIndex i = 0; i < tree.Count(); ++i) {
        required[static_cast<std::size_t>(i)] = OfNode(tree[i], required, caseSensitive);
    }
    const Required& atRoot = required[static_cast<std::size_t>(tree.root)];
    if (atRoot.empty()) return false;
    *probe = *std::min_element(atRoot.begin(), atRoot.end(), [](UnitProbe x, UnitProbe y) {
        return ProbeCommonness(x) < ProbeCommonness(y);
    });
    return true;
}

// Concatenations lean right, a(b(c)), so the prefix is the chain of left
// children that each match one unit, and the last right child when it does.
std::vector<UnitProbe> LiteralPrefix(const SyntaxTree& tree, bool caseSensitive) {
    std::vector<UnitProbe> prefix;
    UnitProbe probe;
    for (NodeIndex node = tree.root; node != kNoNode && prefix.size() < kMaxPrefix;) {
        const SyntaxNode& current = tree[node];
        bool concat = current.kind == NodeKind::Concat;
        if (!OneUnitOf(concat ? tree[current.left] : current, caseSensitive, &probe)) break;
        prefix.push_back(probe);
        node = concat ? current.right : kNoNode;
    }
    return prefix;
}

}  // namespace pathbook::search
