// Tested by tests/unit/search/unit_scan_test.cpp.
#include "search/unit_filter.h"

#include <algorithm>

namespace pathbook::search {

UnitFilter::UnitFilter(const UnitSet& units, const std::vector<UnitProbe>& prefix) : units_(units) {
    char16_t members[2];
    std::int32_t count = units_.Members(members, 2);
    if (prefix.size() >= 2) {
        probes_ = RarestPair(prefix);
    } else if (count == 1 || count == 2) {
        OffsetProbe either{{members[0], members[count - 1]}, 0};
        probes_ = {either, either};
    } else {
        return;
    }
    scannable_ = true;
    reach_ = std::max(probes_.rarest.offset, probes_.second.offset);
}

std::int32_t UnitFilter::NextForward(const char16_t* text, std::int32_t first, std::int32_t last) const {
    if (scannable_) return FindWindowForward(text, first, last - reach_, probes_.rarest, probes_.second);
    for (std::int32_t p = first; p <= last; ++p) {
        if (units_.Has(text[p])) return p;
    }
    return -1;
}

std::int32_t UnitFilter::NextBackward(const char16_t* text, std::int32_t first, std::int32_t last) const {
    if (scannable_) return FindWindowBackward(text, first, last - reach_, probes_.rarest, probes_.second);
    for (std::int32_t p = last; p >= first; --p) {
        if (units_.Has(text[p])) return p;
    }
    return -1;
}

}  // namespace pathbook::search
