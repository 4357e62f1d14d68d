#include "view/edit_keys.h"

namespace pathbook {

EditKey KeyFromVirtualKey(std::uint32_t virtualKey) {
    switch (virtualKey) {
        case 0x08: return EditKey::kBack;
        case 0x21: return EditKey::kPageUp;
        case 0x22: return EditKey::kPageDown;
        case 0x23: return EditKey::kEnd;
        case 0x24: return EditKey::kHome;
        case 0x25: return EditKey::kLeft;
        case 0x26: return EditKey::kUp;
        case 0x27: return EditKey::kRight;
        case 0x28: return EditKey::kDown;
        case 0x2D: return EditKey::kInsert;
        case 0x2E: return EditKey::kDelete;
        default: return EditKey::kOther;
    }
}

}  // namespace pathbook
