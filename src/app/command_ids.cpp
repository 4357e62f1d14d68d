#include "app/command_ids.h"

#include "app/resource_ids.h"

namespace pathbook {

DynamicCommand DecodeDynamicCommand(std::int32_t id) {
    if (id < 0) return {};
    std::int32_t base = id / 100 * 100;
    switch (base) {
        case IDM_HISTORY_FIRST: return {CommandFamily::kHistory, id - base};
        case IDM_DOC_TYPE_FIRST: return {CommandFamily::kDocType, id - base};
        case IDM_FAVORITE_FIRST: return {CommandFamily::kFavorite, id - base};
        default: return {};
    }
}

}  // namespace pathbook
