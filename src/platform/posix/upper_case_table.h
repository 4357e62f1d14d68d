// The native build's upper-case table for comparing names, generated from
// Unicode's simple upper-case mappings by scripts/make_upper_case_table.py.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pathbook::platform::posix {

// Every `step`-th unit from `first` to `last` maps to itself plus `delta`.
struct UpperCaseRun {
    char16_t first;
    char16_t last;
    std::int32_t step;
    std::int32_t delta;
};

// Ordered by `first`; runs do not overlap.
extern const UpperCaseRun kUpperCaseRuns[];
extern const std::size_t kUpperCaseRunCount;

}  // namespace pathbook::platform::posix
