// Regex lexer: turns the body of a pattern (without its anchors) into tokens.
// The class shorthands (\d \D \w \W \s \S) are replaced by the bracket text
// they stand for, which is lexed before the rest of the pattern. A "\" before
// any other unit makes that unit literal ("\t" is TAB); a trailing lone "\"
// ends the pattern. Tested by tests/unit/search/regex_grammar_test.cpp.
#pragma once

#include <cstdint>

namespace pathbook::search {

enum class TokenKind : std::uint8_t {
    Char,        // a literal unit
    Dot,         // "."
    ClassOpen,   // "["
    ClassClose,  // "]"
    Caret,       // "^" (not the pattern's anchor)
    Dash,        // "-"
    GroupOpen,   // "("
    GroupClose,  // ")"
    Bar,         // "|"
    Star,        // "*"
    Plus,        // "+"
    Question,    // "?"
    End,         // end of the pattern, or a "\" that is its last unit
};

struct Token {
    TokenKind kind = TokenKind::End;
    char16_t unit = 0;  // the literal for Char, else 0
};

class RegexLexer {
public:
    // `body` must outlive the lexer; `length` units are read.
    RegexLexer(const char16_t* body, std::int32_t length);

    // The next token; End forever once the pattern is used up.
    Token Next();

private:
    // Reads one unit from the shorthand expansion while it lasts, then from the body.
    bool TakeUnit(char16_t* unit);

    const char16_t* body_;
    std::int32_t length_;
    std::int32_t position_ = 0;           // 0 <= position_ <= length_
    const char16_t* expansion_ = nullptr;  // NUL-terminated shorthand text being lexed, or null
    bool ended_ = false;                   // a trailing "\" was met: End from now on
};

}  // namespace pathbook::search
