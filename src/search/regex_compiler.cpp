// Tested by tests/unit/search/regex_grammar_test.cpp.
#include "search/regex_compiler.h"

#include <algorithm>
#include <vector>

namespace pathbook::search {
namespace {

struct Work {
    NodeIndex node;
    StateIndex from;
    StateIndex to;
};

void CompileNode(const SyntaxTree& tree, Direction direction, Program& program, const Work& work,
                 std::vector<Work>& pending) {
    const SyntaxNode& node = tree[work.node];
    switch (node.kind) {
        case NodeKind::Char:
            program.AddStep(work.from, work.to, CharSet({{node.unit, node.unit}}, false));
            break;
        case NodeKind::Class:
            program.AddStep(work.from, work.to, CharSet(node.ranges, node.negated));
            break;
        case NodeKind::Concat: {
            StateIndex middle = program.AddState();
            bool forward = direction == Direction::Forward;
            pending.push_back({forward ? node.left : node.right, work.from, middle});
            pending.push_back({forward ? node.right : node.left, middle, work.to});
            break;
        }
        case NodeKind::Alternation:
            pending.push_back({node.left, work.from, work.to});
            pending.push_back({node.right, work.from, work.to});
            break;
        case NodeKind::Optional:
            program.AddEpsilon(work.from, work.to);
            pending.push_back({node.left, work.from, work.to});
            break;
        case NodeKind::Empty:
            program.AddEpsilon(work.from, work.to);
            break;
        case NodeKind::Star:
        case NodeKind::Plus: {
            StateIndex loopIn = program.AddState();
            StateIndex loopOut = program.AddState();
            program.AddEpsilon(work.from, loopIn);
            program.AddEpsilon(loopOut, work.to);
            program.AddEpsilon(loopOut, loopIn);
            if (node.kind == NodeKind::Star) program.AddEpsilon(work.from, work.to);
            pending.push_back({node.left, loopIn, loopOut});
            break;
        }
    }
}

}  // namespace

Program CompileProgram(const SyntaxTree& tree, Direction direction) {
    Program program;
    std::vector<Work> pending;
    if (tree.root != kNoNode) pending.push_back({tree.root, kStartState, kFinalState});
    while (!pending.empty()) {
        Work work = pending.back();
        pending.pop_back();
        CompileNode(tree, direction, program, work, pending);
    }
    program.Finish();
    return program;
}

std::int32_t MaxMatchLength(const SyntaxTree& tree) {
    constexpr std::int32_t kCap = 1 << 30;  // sums above this count as unbounded
    std::vector<std::int32_t> longest(static_cast<std::size_t>(tree.Count()), 0);
    auto of = [&longest](NodeIndex i) { return longest[static_cast<std::size_t>(i)]; };
    // Children precede their parents, so one pass in index order sees every child first.
    for (NodeIndex i = 0; i < tree.Count(); ++i) {
        const SyntaxNode& node = tree[i];
        std::int32_t value = 0;
        switch (node.kind) {
            case NodeKind::Char:
            case NodeKind::Class: value = 1; break;
            case NodeKind::Empty: value = 0; break;
            case NodeKind::Optional: value = of(node.left); break;
            case NodeKind::Star:
            case NodeKind::Plus: value = of(node.left) == 0 ? 0 : kUnboundedLength; break;
            case NodeKind::Alternation:
                value = (of(node.left) < 0 || of(node.right) < 0) ? kUnboundedLength
                                                                  : std::max(of(node.left), of(node.right));
                break;
            case NodeKind::Concat:
                value = (of(node.left) < 0 || of(node.right) < 0 || std::int64_t{of(node.left)} + of(node.right) > kCap)
                            ? kUnboundedLength
                            : of(node.left) + of(node.right);
                break;
        }
        longest[static_cast<std::size_t>(i)] = value;
    }
    return tree.root == kNoNode ? 0 : of(tree.root);
}

}  // namespace pathbook::search
