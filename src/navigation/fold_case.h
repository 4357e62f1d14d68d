// Paths compared as the file system compares file names: letter case aside,
// in every script (platform/ordinal_compare.h). Tested by nav_chain_block_test.cpp and main_window_rules_test.cpp.
#pragma once

#include <string_view>

namespace pathbook {

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace pathbook
