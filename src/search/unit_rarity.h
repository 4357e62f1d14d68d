// How common a unit is in the notes the editor holds, as a rough score: the
// searchers scan for their rarest units first, so that few candidates reach
// the full comparison. Only the order matters; any order gives the same
// matches, only at another speed. Tested by tests/unit/search/unit_scan_test.cpp.
#pragma once

#include <cstdint>

#include "search/unit_scan.h"

namespace pathbook::search {

// Higher is more common: roughly occurrences per thousand units of English
// and Japanese text.
std::int32_t UnitCommonness(char16_t unit);

// The commonness of the units `probe` matches, together.
std::int32_t ProbeCommonness(UnitProbe probe);

}  // namespace pathbook::search
