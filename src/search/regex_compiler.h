// Thompson construction: compiles a syntax tree into a Program between its
// start and final states. Each node adds at most two states and four
// transitions, so the automaton is linear in the size of the pattern. The
// tree is walked with an explicit work list, never recursively.
// Tested by tests/unit/search/regex_grammar_test.cpp.
#pragma once

#include <cstdint>

#include "search/regex_program.h"
#include "search/regex_syntax.h"

namespace pathbook::search {

enum class Direction : std::uint8_t {
    Forward,   // the automaton reads the text left to right
    Backward,  // concatenations reversed: it reads a match right to left
};

// An unrooted tree compiles to an automaton that matches nothing.
Program CompileProgram(const SyntaxTree& tree, Direction direction);

// The most units one match can span, or kUnboundedLength under "*" or "+".
std::int32_t MaxMatchLength(const SyntaxTree& tree);

}  // namespace pathbook::search
