// The dynamic command families: history entry n (40200 + n), document type n
// (40300 + n) and favourite n (40400 + n). Tested by main_window_rules_test.cpp.
#pragma once

#include <cstdint>

namespace pathbook {

enum class CommandFamily { kNone, kHistory, kDocType, kFavorite };

struct DynamicCommand {
    CommandFamily family = CommandFamily::kNone;
    std::int32_t n = 0;  // 0..99 inside a family
};

// Rounds `id` down to a multiple of 100 to pick the family; any other id is kNone.
DynamicCommand DecodeDynamicCommand(std::int32_t id);

}  // namespace pathbook
