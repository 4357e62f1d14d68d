// Required units, read off a pattern's syntax tree: a unit (or one of two, as
// both cases of an ASCII letter) that every match contains, and the units
// every match begins with. "a.*Z" requires "Z" and "[0-9]+-[a-z]+" requires
// "-", so a line without one cannot hold a match, and one vector scan
// (unit_scan.h) rules it out before the automaton reads it: long lines and
// short ones then cost the same per unit. Every match of "colou?r" begins with
// "colo", so the scan for the next possible match start can test two of those
// units at once. Tested by tests/unit/search/required_units_test.cpp.
#pragma once

#include <vector>

#include "search/regex_syntax.h"
#include "runtime/unit_scan.h"

namespace pathbook::search {

// Stores in *probe the rarest unit every string the tree matches must contain,
// as compared with or without case; false when no unit is required (an empty
// match is possible, or the alternatives share none).
bool FindRequiredUnit(const SyntaxTree& tree, bool caseSensitive, UnitProbe* probe);

// The units every match begins with: element i matches the unit at offset i
// of any match. Empty when matches need not begin with a fixed unit; at most
// a few units long.
std::vector<UnitProbe> LiteralPrefix(const SyntaxTree& tree, bool caseSensitive);

}  // namespace pathbook::search
