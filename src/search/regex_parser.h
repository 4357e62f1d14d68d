// Regex parser: recursive descent with one token of look-ahead over the tokens
// of RegexLexer, building a SyntaxTree.
//
//   Alternation := Sequence ("|" Alternation)?
//   Sequence    := End -> Empty | Repetition Sequence?   (continues on anything an Atom starts with)
//   Repetition  := Atom ("*" | "+" | "?")*
//   Atom        := Char | "-" | "]" | "^" | "." | "[" "^"? ClassItem* "]" | "(" Alternation ")"
//   ClassItem   := Char ("-" Char)?
//
// Outside a class "-", "]" and a "^" that is not the leading anchor are
// literal units. A ")" without its "(" is an error, like an unclosed "(".
// Chains of concatenations and alternatives are built in loops; only a
// group recurses, and groups nest at most kMaxGroupDepth deep, so the stack
// the parser uses is bounded whatever the pattern. Deeper nesting is an error.
// Tested by tests/unit/search/regex_grammar_test.cpp.
#pragma once

#include <cstdint>

#include "search/regex_syntax.h"

namespace pathbook::search {

constexpr std::int32_t kMaxGroupDepth = 200;

struct ParseResult {
    SyntaxTree tree;     // root set; meaningless when error is true
    bool error = false;  // the pattern never matches
};

// Parses `length` units of a pattern body (the anchors already removed).
ParseResult ParseRegex(const char16_t* body, std::int32_t length);

}  // namespace pathbook::search
