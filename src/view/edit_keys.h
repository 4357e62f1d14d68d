// The keys the caret acts on, independent of the window system. The window
// layer turns a virtual-key code into an EditKey with KeyFromVirtualKey.
#pragma once

#include <cstdint>

namespace pathbook {

enum class EditKey {
    kOther,  // a key the caret does not handle
    kLeft,
    kRight,
    kUp,
    kDown,
    kPageUp,
    kPageDown,
    kHome,
    kEnd,
    kInsert,
    kBack,
    kDelete,
};

// The system's virtual-key numbers for the keys above (VK_LEFT and so on).
EditKey KeyFromVirtualKey(std::uint32_t virtualKey);

}  // namespace pathbook
