// Tested by tests/unit/search/regex_grammar_test.cpp.
#include "search/regex_lexer.h"

namespace pathbook::search {
namespace {

struct Shorthand {
    char16_t letter;
    const char16_t* text;
};

// Expansions never contain shorthands themselves, so one level of pending text suffices.
constexpr Shorthand kShorthands[] = {
    {u'd', u"[0-9]"},          {u'D', u"[^0-9]"},
    {u'w', u"[0-9a-zA-Z_]"},   {u'W', u"[^0-9a-zA-Z_]"},
    {u's', u"[\\t ]"},         {u'S', u"[^\\t ]"},
};

const char16_t* ShorthandText(char16_t letter) {
    for (const Shorthand& shorthand : kShorthands) {
        if (shorthand.letter == letter) return shorthand.text;
    }
    return nullptr;
}

TokenKind OperatorKind(char16_t unit) {
    switch (unit) {
        case u'.': return TokenKind::Dot;
        case u'[': return TokenKind::ClassOpen;
        case u']': return TokenKind::ClassClose;
        case u'^': return TokenKind::Caret;
        case u'-': return TokenKind::Dash;
        case u'(': return TokenKind::GroupOpen;
        case u')': return TokenKind::GroupClose;
        case u'|': return TokenKind::Bar;
        case u'*': return TokenKind::Star;
        case u'+': return TokenKind::Plus;
        case u'?': return TokenKind::Question;
        default: return TokenKind::Char;
    }
}

}  // namespace

RegexLexer::RegexLexer(const char16_t* body, std::int32_t length)
    : body_(body), length_(length < 0 ? 0 : length) {}

bool RegexLexer::TakeUnit(char16_t* unit) {
    if (expansion_ != nullptr) {
        if (*expansion_ != 0) {
            *unit = *expansion_++;
            return true;
        }
        expansion_ = nullptr;
    }
    if (position_ >= length_) return false;
    *unit = body_[position_++];
    return true;
}

Token RegexLexer::Next() {
    char16_t unit = 0;
    while (!ended_ && TakeUnit(&unit)) {
        if (unit != u'\\') {
            TokenKind kind = OperatorKind(unit);
            return {kind, kind == TokenKind::Char ? unit : char16_t(0)};
        }
        char16_t escaped = 0;
        if (!TakeUnit(&escaped)) break;
        if (escaped == u't') return {TokenKind::Char, u'\t'};
        const char16_t* expansion = ShorthandText(escaped);
        if (expansion == nullptr) return {TokenKind::Char, escaped};
        expansion_ = expansion;
    }
    ended_ = true;
    return {};
}

}  // namespace pathbook::search
