// Regex: a compiled pattern. A leading "^" anchors matches at the line start, a
// trailing "$" at the line end; the rest is parsed (regex_parser.h) and
// compiled (regex_compiler.h) once, forward and reversed. A pattern with a
// syntax error never matches; there is no message for it.
// Tested by tests/unit/search/regex_grammar_test.cpp.
#pragma once

#include <cstdint>

#include "search/regex_program.h"
#include "search/regex_syntax.h"

namespace pathbook::search {

class Regex {
public:
    // `pattern` is NUL-terminated. Never fails: errors set HasError().
    explicit Regex(const char16_t* pattern);
    Regex(const char16_t* pattern, std::int32_t length);

    // Length of the longest match that begins at text[0] and lies within the n
    // units: 0 for an empty match, -1 for none (always -1 with an error).
    std::int32_t MatchLength(const char16_t* text, std::int32_t n, bool caseSensitive) const;

    bool HasError() const { return error_; }
    bool AnchoredStart() const { return anchoredStart_; }
    bool AnchoredEnd() const { return anchoredEnd_; }
    // The most units one match can span, or kUnboundedLength.
    std::int32_t MaxLength() const { return maxLength_; }
    const SyntaxTree& Tree() const { return tree_; }
    const Program& ForwardProgram() const { return forward_; }
    // Reads a match from its end towards its start.
    const Program& BackwardProgram() const { return backward_; }

private:
    bool error_ = false;
    bool anchoredStart_ = false;  // the pattern's first unit is "^"
    bool anchoredEnd_ = false;    // the pattern is not empty and its last unit is "$"
    std::int32_t maxLength_ = 0;
    SyntaxTree tree_;
    Program forward_;
    Program backward_;
};

}  // namespace pathbook::search
