#include "navigation/fold_case.h"

#include "platform/ordinal_compare.h"

namespace pathbook {

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return platform::OrdinalEqualIgnoringCase(a, b);
}

}  // namespace pathbook
