// Tested by tests/unit/search/regex_grammar_test.cpp.
#include "search/regex.h"

#include <string>
#include <utility>

#include "search/regex_compiler.h"
#include "search/regex_matcher.h"
#include "search/regex_parser.h"

namespace pathbook::search {

Regex::Regex(const char16_t* pattern)
    : Regex(pattern, static_cast<std::int32_t>(std::char_traits<char16_t>::length(pattern))) {}

Regex::Regex(const char16_t* pattern, std::int32_t length) {
    if (length < 0) length = 0;
    std::int32_t bodyStart = 0;
    std::int32_t bodyEnd = length;
    anchoredStart_ = length > 0 && pattern[0] == u'^';
    if (anchoredStart_) bodyStart = 1;
    anchoredEnd_ = length > 0 && pattern[length - 1] == u'$';
    if (anchoredEnd_ && bodyEnd > bodyStart) bodyEnd -= 1;
    ParseResult parsed = ParseRegex(pattern + bodyStart, bodyEnd - bodyStart);
    error_ = parsed.error;
    tree_ = std::move(parsed.tree);
    if (error_) {
        forward_.Finish();
        backward_.Finish();
        return;
    }
    maxLength_ = MaxMatchLength(tree_);
    forward_ = CompileProgram(tree_, Direction::Forward);
    backward_ = CompileProgram(tree_, Direction::Backward);
}

std::int32_t Regex::MatchLength(const char16_t* text, std::int32_t n, bool caseSensitive) const {
    if (error_) return -1;
    RegexMatcher matcher(forward_, caseSensitive);
    return matcher.LongestAt(text, n < 0 ? 0 : n);
}

}  // namespace pathbook::search
