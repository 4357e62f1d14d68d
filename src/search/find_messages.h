// The find messages that carry a number. Tested by
// tests/unit/search/find_messages_test.cpp.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/string.h"

namespace pathbook::search {

// String 9 ("%d times Replaced.") with its first "%d" replaced by `count`; a
// format without "%d" is shown as it stands.
String ReplacedCountText(std::u16string_view format, std::int32_t count);

}  // namespace pathbook::search
