// Differential test: the whole engine (lexer, parser, compiler, matcher and
// searcher) against a reference that reads the pattern text itself. The
// reference has its own lexer and recursive-descent parser and matches by
// backtracking over the tree they build, collecting every end each part can
// reach from a position; it shares nothing with the engine, so a fault in any
// stage shows. Random short patterns on random short lines, from every start,
// in both directions and both case modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "search/regex.h"
#include "search/regex_searcher.h"
#include "search_test_support.h"

namespace pathbook::search {
namespace {

// A token is its operator unit (".[]^-()|*+?"), 'c' for a literal unit, or 0 for the end.
struct Token {
    char16_t kind;
    char16_t unit;
};

// Appends the tokens of `text`; false once a "\" ends the pattern.
bool Lex(std::u16string_view text, std::vector<Token>& tokens) {
    const std::u16string_view shorthands = u"dDwWsS";
    const char16_t* expansions[] = {u"[0-9]", u"[^0-9]", u"[0-9a-zA-Z_]", u"[^0-9a-zA-Z_]", u"[\\t ]", u"[^\\t ]"};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            bool op = std::u16string_view(u".[]^-()|*+?").find(text[i]) != std::u16string_view::npos;
            tokens.push_back({op ? text[i] : u'c', text[i]});
        } else if (++i == text.size()) {
            return false;
        } else if (shorthands.find(text[i]) != std::u16string_view::npos) {
            Lex(expansions[shorthands.find(text[i])], tokens);
        } else {
            tokens.push_back({u'c', text[i] == u't' ? u'\t' : text[i]});
        }
    }
    return true;
}

// kind: 's' a set of units, '&' left then right, '|', '*', '+', '?' as in
// patterns, 'e' the empty string.
struct Node {
    char kind;
    int left = -1;
    int right = -1;
    std::vector<std::pair<char16_t, char16_t>> ranges = {};
    bool negated = false;
};

class Reference {
public:
    explicit Reference(std::u16string_view pattern) {
        anchoredStart_ = !pattern.empty() && pattern.front() == u'^';
        if (anchoredStart_) pattern.remove_prefix(1);
        anchoredEnd_ = !pattern.empty() && pattern.back() == u'$';
        if (anchoredEnd_) pattern.remove_suffix(1);
        Lex(pattern, tokens_);
        tokens_.push_back({0, 0});
        root_ = Alternation();
        if (Peek() != 0) error_ = true;  // a ")" without its "("
    }

    // "start-end" or "none", as the searcher reports it.
    std::string Search(const std::u16string& line, std::int32_t start, bool caseSensitive, bool forward) {
        auto length = static_cast<std::int32_t>(line.size());
        if (forward && anchoredStart_ && start != 0) return "none";
        std::int32_t first = anchoredStart_ ? 0 : std::min(start, length);
        std::int32_t last = anchoredStart_ ? 0 : forward ? length - 1 : 0;
        for (std::int32_t q = first; forward ? q <= last : q >= last; q += forward ? 1 : -1) {
            std::int32_t r = q < length ? MatchLength(line, q, caseSensitive) : -1;
            if (r > 0 && (!anchoredEnd_ || r == length - q)) return std::to_string(q) + "-" + std::to_string(q + r);
        }
        return "none";
    }

    // The longest match from line[from], or -1.
    std::int32_t MatchLength(const std::u16string& line, std::int32_t from, bool caseSensitive) {
        if (error_) return -1;
        if (memo_.empty() || line != line_ || caseSensitive != caseSensitive_) {
            line_ = line;
            caseSensitive_ = caseSensitive;
            memo_.assign(nodes_.size() * (line.size() + 1), {});
        }
        const std::vector<bool>& ends = Ends(root_, from);
        auto longest = std::find(ends.rbegin(), ends.rend(), true);
        return longest == ends.rend() ? -1 : static_cast<std::int32_t>(ends.rend() - longest) - 1 - from;
    }

private:
    char16_t Peek() const { return tokens_[next_].kind; }
    int Add(Node node) {
        nodes_.push_back(std::move(node));
        return static_cast<int>(nodes_.size()) - 1;
    }
    int Fail() {
        error_ = true;
        return Add({'e'});
    }

    int Alternation() {
        int sequence = Sequence();
        if (Peek() != u'|') return sequence;
        ++next_;
        return Add({'|', sequence, Alternation()});
    }
    // Outside a class "-", "]" and an inner "^" are literal units, so they
    // start atoms and continue sequences.
    int Sequence() {
        if (Peek() == 0) return Add({'e'});
        int repetition = Repetition();
        if (std::u16string_view(u"c-]^.[(").find(Peek()) == std::u16string_view::npos) return repetition;
        return Add({'&', repetition, Sequence()});
    }
    // Operators stack: "a**" is "(a*)*".
    int Repetition() {
        int node = Atom();
        while (Peek() == u'*' || Peek() == u'+' || Peek() == u'?') node = Add({static_cast<char>(tokens_[next_++].kind), node});
        return node;
    }
    int Atom() {
        Token token = tokens_[next_];
        if (token.kind == u'c' || token.kind == u'-' || token.kind == u']' || token.kind == u'^' || token.kind == u'.') {
            ++next_;
            return Add({'s', -1, -1, {token.kind == u'.' ? std::pair<char16_t, char16_t>{0, 0xFFFF} : std::pair{token.unit, token.unit}}});
        }
        if (token.kind == u'(') {
            ++next_;
            int inner = Alternation();
            return Peek() == u')' && ++next_ ? inner : Fail();
        }
        if (token.kind != u'[') return Fail();
        ++next_;
        Node set{'s'};
        set.negated = Peek() == u'^' && ++next_;
        while (Peek() == u'c') {
            char16_t low = tokens_[next_++].unit;
            char16_t high = low;
            if (Peek() == u'-' && ++next_) {
                if (Peek() != u'c') return Fail();
                high = tokens_[next_++].unit;
            }
            set.ranges.push_back({std::min(low, high), std::max(low, high)});
        }
        return Peek() == u']' && ++next_ ? Add(set) : Fail();
    }

    // Ignoring case only widens a set: a unit is in it when it or its other
    // ASCII case is.
    bool Accepts(const Node& set, char16_t unit) const {
        auto within = [&](char16_t u) {
            return std::any_of(set.ranges.begin(), set.ranges.end(), [u](auto r) { return r.first <= u && u <= r.second; });
        };
        bool inside = within(unit);
        if (!caseSensitive_ && unit >= u'a' && unit <= u'z') inside = inside || within(static_cast<char16_t>(unit - 0x20));
        if (!caseSensitive_ && unit >= u'A' && unit <= u'Z') inside = inside || within(static_cast<char16_t>(unit + 0x20));
        return inside != set.negated;
    }

    // Every position node `n` can end at when it starts at `from`, worked out once per line.
    const std::vector<bool>& Ends(int n, std::int32_t from) {
        std::vector<bool>& known = memo_[static_cast<std::size_t>(n) * (line_.size() + 1) + static_cast<std::size_t>(from)];
        if (known.empty()) known = WorkOutEnds(nodes_[static_cast<std::size_t>(n)], static_cast<std::size_t>(from));
        return known;
    }

    std::vector<bool> WorkOutEnds(const Node& node, std::size_t from) {
        std::vector<bool> ends(line_.size() + 1, false);
        auto addEndsOf = [&](int child, std::size_t start) {
            const std::vector<bool>& more = Ends(child, static_cast<std::int32_t>(start));
            for (std::size_t p = 0; p < more.size(); ++p) ends[p] = ends[p] || more[p];
        };
        if (node.kind == 's') {
            if (from < line_.size() && Accepts(node, line_[from])) ends[from + 1] = true;
        } else if (node.kind == '&') {
            const std::vector<bool>& middle = Ends(node.left, static_cast<std::int32_t>(from));
            for (std::size_t p = 0; p < middle.size(); ++p) {
                if (middle[p]) addEndsOf(node.right, p);
            }
        } else if (node.kind == '|') {
            addEndsOf(node.left, from);
            addEndsOf(node.right, from);
        } else if (node.kind == 'e' || node.kind == '?') {
            ends[from] = true;
            if (node.kind == '?') addEndsOf(node.left, from);
        } else {  // '*' and '+': the child again from every end reached, until no end is new
            addEndsOf(node.left, from);
            std::vector<bool> tried(ends.size(), false);
            for (bool more = true; more;) {
                more = false;
                for (std::size_t p = 0; p < ends.size(); ++p) {
                    if (!ends[p] || tried[p]) continue;
                    tried[p] = more = true;
                    addEndsOf(node.left, p);
                }
            }
            if (node.kind == '*') ends[from] = true;
        }
        return ends;
    }

    std::vector<Token> tokens_;
    std::size_t next_ = 0;
    std::vector<Node> nodes_;
    int root_ = -1;
    bool error_ = false;
    bool anchoredStart_ = false;
    bool anchoredEnd_ = false;
    std::u16string line_;
    bool caseSensitive_ = true;
    std::vector<std::vector<bool>> memo_;  // by node and start; empty until worked out
};

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

// Random patterns, each on a few random lines of up to `maxLineLength` units,
// from every start; returns the number of searches compared.
int CheckRandomPatterns(unsigned seed, int rounds, std::size_t maxLineLength) {
    std::mt19937 random(seed);
    int checked = 0;
    for (int round = 0; round < rounds; ++round) {
        std::u16string pattern = test::RandomText(random, u"aabbAB_..**++??||(()[[]]^--$\\\\dwsSt", 8);
        Regex regex(pattern.data(), static_cast<std::int32_t>(pattern.size()));
        Reference reference(pattern);
        for (int l = 0; l < 4; ++l) {
            std::u16string line = test::RandomText(random, u"aabbAB-_ 1\t", maxLineLength);
            auto length = static_cast<std::int32_t>(line.size());
            for (bool caseSensitive : {true, false}) {
                EXPECT_EQ(regex.MatchLength(line.data(), length, caseSensitive),
                          reference.MatchLength(line, 0, caseSensitive))
                    << "pattern " << Narrow(pattern) << " line " << Narrow(line);
                for (bool forward : {true, false}) {
                    RegexSearcher searcher(pattern.data(), static_cast<std::int32_t>(pattern.size()), caseSensitive,
                                           forward);
                    for (std::int32_t start = 0; start <= length; ++start, ++checked) {
                        EXPECT_EQ(test::Outcome(searcher, line, start),
                                  reference.Search(line, start, caseSensitive, forward))
                            << "pattern " << Narrow(pattern) << " line " << Narrow(line) << " start " << start
                            << (forward ? " forward" : " backward") << (caseSensitive ? "" : " ignoring case");
                    }
                }
            }
        }
    }
    return checked;
}

TEST(RegexReference, RandomPatternsAgreeWithTheDefinition) {
    EXPECT_GT(CheckRandomPatterns(20240517, 3000, 12), 75000);
}

// Lines long enough for the vector scans of the required-unit search.
TEST(RegexReference, RandomPatternsAgreeOnLongerLines) { EXPECT_GT(CheckRandomPatterns(20240518, 300, 40), 25000); }

}  // namespace
}  // namespace pathbook::search
