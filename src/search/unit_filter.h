// UnitFilter: where a regex match may begin, or, for the reversed automaton,
// end. It knows the units a match can begin with and, when the pattern gives
// them, the units every match begins with (its literal prefix, "colo" for
// "colou?r"). Candidates are the positions whose unit can begin a match or,
// with a prefix of two or more units, where two of its rarest units sit in
// place. Every other position is certainly no match start. Sets of one
// or two units and prefixes are found with the vector scan (unit_scan.h);
// other sets are tested unit by unit. Tested by tests/unit/search/unit_scan_test.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "search/regex_program.h"
#include "search/unit_rarity.h"
#include "runtime/unit_scan.h"

namespace pathbook::search {

class UnitFilter {
public:
    // `prefix`: element i matches the unit at offset i of every match; may be empty.
    explicit UnitFilter(const UnitSet& units, const std::vector<UnitProbe>& prefix = {});

    bool Has(char16_t unit) const { return units_.Has(unit); }
    bool Empty() const { return units_.Empty(); }

    // The first candidate in [first, last] whose tested units lie by `last`, or -1.
    std::int32_t NextForward(const char16_t* text, std::int32_t first, std::int32_t last) const;
    // The last such candidate, or -1.
    std::int32_t NextBackward(const char16_t* text, std::int32_t first, std::int32_t last) const;

private:
    UnitSet units_;
    bool scannable_ = false;  // probes_ find the candidates with the vector scan
    ProbePair probes_;
    std::int32_t reach_ = 0;  // the larger offset in probes_; 0 unless scannable_
};

}  // namespace pathbook::search
