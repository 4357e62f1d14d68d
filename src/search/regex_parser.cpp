// Tested by tests/unit/search/regex_grammar_test.cpp.
#include "search/regex_parser.h"

#include <utility>
#include <vector>

#include "search/regex_lexer.h"

namespace pathbook::search {
namespace {

// Outside a class these tokens have no meaning of their own, so they stand for
// their units: "4711-fix" and "a]b" search for themselves.
char16_t LiteralUnit(TokenKind kind) {
    switch (kind) {
        case TokenKind::Dash: return u'-';
        case TokenKind::ClassClose: return u']';
        case TokenKind::Caret: return u'^';
        default: return 0;
    }
}

bool StartsAtom(TokenKind kind) {
    return kind == TokenKind::Char || kind == TokenKind::Dot || kind == TokenKind::ClassOpen ||
           kind == TokenKind::GroupOpen || LiteralUnit(kind) != 0;
}

class Parser {
public:
    Parser(const char16_t* body, std::int32_t length) : lexer_(body, length) { Advance(); }

    ParseResult Run() {
        result_.tree.root = Alternation();
        // Only End or a ")" without its "(" can stop the top level.
        if (token_.kind != TokenKind::End) Fail();
        return std::move(result_);
    }

private:
    void Advance() { token_ = lexer_.Next(); }

    NodeIndex Fail() {
        result_.error = true;
        return Leaf(NodeKind::Empty);
    }

    NodeIndex Leaf(NodeKind kind) {
        SyntaxNode node;
        node.kind = kind;
        return result_.tree.Add(std::move(node));
    }

    NodeIndex Binary(NodeKind kind, NodeIndex left, NodeIndex right) {
        SyntaxNode node;
        node.kind = kind;
        node.left = left;
        node.right = right;
        return result_.tree.Add(std::move(node));
    }

    // Folds parts into a right-leaning chain: a(b(c)), as the grammar's right recursion builds it.
    NodeIndex Chain(NodeKind kind, const std::vector<NodeIndex>& parts) {
        NodeIndex node = parts.back();
        for (std::size_t i = parts.size() - 1; i-- > 0;) node = Binary(kind, parts[i], node);
        return node;
    }

    NodeIndex Alternation() {
        std::vector<NodeIndex> alternatives{Sequence()};
        while (!result_.error && token_.kind == TokenKind::Bar) {
            Advance();
            alternatives.push_back(Sequence());
        }
        return Chain(NodeKind::Alternation, alternatives);
    }

    NodeIndex Sequence() {
        if (token_.kind == TokenKind::End) return Leaf(NodeKind::Empty);
        std::vector<NodeIndex> items{Repetition()};
        while (!result_.error && StartsAtom(token_.kind)) items.push_back(Repetition());
        return Chain(NodeKind::Concat, items);
    }

    // Operators apply in turn: "a**" is (a*)*, which matches what a* matches.
    NodeIndex Repetition() {
        NodeIndex node = Atom();
        for (;;) {
            NodeKind kind;
            switch (token_.kind) {
                case TokenKind::Star: kind = NodeKind::Star; break;
                case TokenKind::Plus: kind = NodeKind::Plus; break;
                case TokenKind::Question: kind = NodeKind::Optional; break;
                default: return node;
            }
            Advance();
            node = Binary(kind, node, kNoNode);
        }
    }

    NodeIndex Atom() {
        if (result_.error) return Leaf(NodeKind::Empty);
        switch (token_.kind) {
            case TokenKind::Char: return CharNode(token_.unit);
            case TokenKind::Dot: {
                Advance();
                SyntaxNode node;
                node.kind = NodeKind::Class;
                node.ranges.push_back({0, 0xFFFF});
                return result_.tree.Add(std::move(node));
            }
            case TokenKind::ClassOpen: Advance(); return ClassBody();
            case TokenKind::GroupOpen: return Group();
            default: break;
        }
        if (char16_t unit = LiteralUnit(token_.kind)) return CharNode(unit);
        return Fail();
    }

    // Consumes the current token.
    NodeIndex CharNode(char16_t unit) {
        SyntaxNode node;
        node.kind = NodeKind::Char;
        node.unit = unit;
        Advance();
        return result_.tree.Add(std::move(node));
    }

    NodeIndex Group() {
        if (depth_ >= kMaxGroupDepth) return Fail();
        Advance();
        ++depth_;
        NodeIndex inner = Alternation();
        --depth_;
        if (result_.error || token_.kind != TokenKind::GroupClose) return Fail();
        Advance();
        return inner;
    }

    NodeIndex ClassBody() {
        SyntaxNode node;
        node.kind = NodeKind::Class;
        if (token_.kind == TokenKind::Caret) {
            node.negated = true;
            Advance();
        }
        while (token_.kind == TokenKind::Char) {
            char16_t low = token_.unit;
            Advance();
            if (token_.kind != TokenKind::Dash) {
                node.ranges.push_back({low, low});
                continue;
            }
            Advance();
            if (token_.kind != TokenKind::Char) return Fail();
            char16_t high = token_.unit;
            Advance();
            node.ranges.push_back(low <= high ? UnitRange{low, high} : UnitRange{high, low});
        }
        if (token_.kind != TokenKind::ClassClose) return Fail();
        Advance();
        return result_.tree.Add(std::move(node));
    }

    RegexLexer lexer_;
    Token token_;
    ParseResult result_;
    std::int32_t depth_ = 0;  // groups open around the current position; <= kMaxGroupDepth
};

}  // namespace

ParseResult ParseRegex(const char16_t* body, std::int32_t length) { return Parser(body, length).Run(); }

}  // namespace pathbook::search
