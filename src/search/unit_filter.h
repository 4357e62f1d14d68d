// UnitFilter: the units a regex match can begin with (or, for the reversed
// automaton, end with), and the quickest way to the next of them in a line.
// When the set holds one or two units, as for "colou?r", the vector scan
// (unit_scan.h) finds them; other sets are tested unit by unit.
// Tested by tests/unit/search/unit_scan_test.cpp.
#pragma once

#include <cstdint>

#include "search/regex_program.h"
#include "search/unit_scan.h"

namespace pathbook::search {

class UnitFilter {
public:
    explicit UnitFilter(const UnitSet& units);

    bool Has(char16_t unit) const { return units_.Has(unit); }
    bool Empty() const { return units_.Empty(); }

    // The first position in [first, last] holding a unit of the set, or -1.
    std::int32_t NextForward(const char16_t* text, std::int32_t first, std::int32_t last) const;
    // The last position in [first, last] holding a unit of the set, or -1.
    std::int32_t NextBackward(const char16_t* text, std::int32_t first, std::int32_t last) const;

private:
    UnitSet units_;
    bool scannable_ = false;  // units_ holds one or two units, both matched by probe_
    UnitProbe probe_;
};

}  // namespace pathbook::search
