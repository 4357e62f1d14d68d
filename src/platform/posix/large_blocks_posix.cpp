#include "platform/large_blocks.h"

#include <sys/mman.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pathbook::platform {

// glibc serves large blocks from their own mappings, but raises that size
// limit whenever such a block is freed, so that later large blocks come from
// the heap and stay in the process after they are freed. A fixed limit keeps
// the first behaviour.
void KeepLargeBlocksSeparate() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void* AllocateResidentBlock(std::size_t bytes) {
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(MAP_POPULATE)
    flags |= MAP_POPULATE;
#endif
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, flags, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void FreeResidentBlock(void* block, std::size_t bytes) { munmap(block, bytes); }

}  // namespace pathbook::platform
