// How common a unit is in the notes the editor holds, as a rough score: the
// searchers scan for their rarest units first, so that few candidates reach
// the full comparison. Only the order matters; any order gives the same
// matches, only at another speed. Tested by tests/unit/search/required_units_test.cpp
// and, through the searchers, by tests/unit/search/plain_searcher_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/unit_scan.h"

namespace pathbook::search {

// Higher is more common: roughly occurrences per thousand units of English
// and Japanese text.
std::int32_t UnitCommonness(char16_t unit);

// The commonness of the units `probe` matches, together.
std::int32_t ProbeCommonness(UnitProbe probe);

// The two probes to scan for in a run of units (units[i] at offset i): the
// rarest, and the rarest at another offset, the farther one among equals.
// A single unit makes both.
struct ProbePair {
    OffsetProbe rarest;
    OffsetProbe second;
};
// `units` must not be empty.
ProbePair RarestPair(const std::vector<UnitProbe>& units);

}  // namespace pathbook::search
