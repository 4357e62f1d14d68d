#include "platform/large_blocks.h"

#include <windows.h>

namespace pathbook::platform {

// The process heap already gives every block above about 512 KiB its own
// virtual memory and releases it when the block is freed.
void KeepLargeBlocksSeparate() {}

// Windows has no way to put fresh pages in place ahead of their first touch;
// the block still saves the heap's bookkeeping.
void* AllocateResidentBlock(std::size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeResidentBlock(void* block, std::size_t) { VirtualFree(block, 0, MEM_RELEASE); }

}  // namespace pathbook::platform
