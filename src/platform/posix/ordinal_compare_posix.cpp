#include <algorithm>

#include "platform/ordinal_compare.h"
#include "platform/posix/upper_case_table.h"

namespace pathbook::platform {
namespace {

using posix::kUpperCaseRunCount;
using posix::kUpperCaseRuns;
using posix::UpperCaseRun;

char16_t Upper(char16_t unit) {
    if (unit < 0x80) return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 0x20) : unit;
    const UpperCaseRun* end = kUpperCaseRuns + kUpperCaseRunCount;
    const UpperCaseRun* run =
        std::upper_bound(kUpperCaseRuns, end, unit, [](char16_t u, const UpperCaseRun& r) { return u < r.first; });
    if (run == kUpperCaseRuns) return unit;
    --run;
    if (unit > run->last || (unit - run->first) % run->step != 0) return unit;
    return static_cast<char16_t>(unit + run->delta);
}

}  // namespace

bool OrdinalEqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

char16_t OrdinalUpper(char16_t unit) { return Upper(unit); }

}  // namespace pathbook::platform
