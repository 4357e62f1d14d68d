#include "platform/large_blocks.h"

#include <sys/mman.h>

#include <cstdint>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pathbook::platform {
namespace {

// The size of the system's large pages, where it has them: a block of a
// multiple of it, aligned to it, can be backed by them, which costs one
// fault per large page instead of one per small page.
constexpr std::size_t kLargePage = std::size_t{2} << 20;

}  // namespace

// glibc serves large blocks from their own mappings, but raises that size
// limit whenever such a block is freed, so that later large blocks come from
// the heap and stay in the process after they are freed. A fixed limit keeps
// the first behaviour.
void KeepLargeBlocksSeparate() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

// A block of whole large pages is placed on a large-page boundary and asked
// to be backed by them; where the system declines, it has small pages.
void* AllocateResidentBlock(std::size_t bytes) {
#if defined(MADV_HUGEPAGE) && defined(MADV_POPULATE_WRITE)
    if (bytes % kLargePage == 0) {
        void* area = mmap(nullptr, bytes + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (area == MAP_FAILED) return nullptr;
        auto start = reinterpret_cast<std::uintptr_t>(area);
        std::uintptr_t aligned = (start + kLargePage - 1) & ~(kLargePage - 1);
        if (aligned > start) munmap(area, aligned - start);
        std::uintptr_t tail = aligned + bytes;
        std::uintptr_t areaEnd = start + bytes + kLargePage;
        if (areaEnd > tail) munmap(reinterpret_cast<void*>(tail), areaEnd - tail);
        void* block = reinterpret_cast<void*>(aligned);
        madvise(block, bytes, MADV_HUGEPAGE);
        madvise(block, bytes, MADV_POPULATE_WRITE);
        return block;
    }
#endif
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(MAP_POPULATE)
    flags |= MAP_POPULATE;
#endif
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, flags, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void FreeResidentBlock(void* block, std::size_t bytes) { munmap(block, bytes); }

}  // namespace pathbook::platform
