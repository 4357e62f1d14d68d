// Tested by tests/unit/search/unit_scan_test.cpp.
#include "search/unit_filter.h"

namespace pathbook::search {

UnitFilter::UnitFilter(const UnitSet& units) : units_(units) {
    char16_t members[2];
    std::int32_t count = units_.Members(members, 2);
    scannable_ = count == 1 || count == 2;
    if (scannable_) probe_ = {members[0], members[count - 1]};
}

std::int32_t UnitFilter::NextForward(const char16_t* text, std::int32_t first, std::int32_t last) const {
    if (scannable_) return FindUnitForward(text, first, last, probe_);
    for (std::int32_t p = first; p <= last; ++p) {
        if (units_.Has(text[p])) return p;
    }
    return -1;
}

std::int32_t UnitFilter::NextBackward(const char16_t* text, std::int32_t first, std::int32_t last) const {
    if (scannable_) return FindWindowBackward(text, first, last, {probe_, 0}, {probe_, 0});
    for (std::int32_t p = last; p >= first; --p) {
        if (units_.Has(text[p])) return p;
    }
    return -1;
}

}  // namespace pathbook::search
