// Required units: a unit (or both cases of an ASCII letter) that every match of
// a pattern contains, read off its syntax tree. "a.*Z" requires "Z" and
// "[0-9]+-[a-z]+" requires "-", so a line without one cannot hold a match, and
// one vector scan (unit_scan.h) rules it out before the automaton reads it:
// long lines and short ones then cost the same per unit. Tested by
// tests/unit/search/required_units_test.cpp.
#pragma once

#include "search/regex_syntax.h"
#include "search/unit_scan.h"

namespace pathbook::search {

// Stores in *probe the rarest unit every string the tree matches must contain,
// as compared with or without case; false when no unit is required (an empty
// match is possible, or the alternatives share none).
bool FindRequiredUnit(const SyntaxTree& tree, bool caseSensitive, UnitProbe* probe);

}  // namespace pathbook::search
