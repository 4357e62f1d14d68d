// The process-wide allocator. Running out of memory is not a condition the
// program recovers from: Allocate never returns null, it ends the process.
#pragma once

#include <cstddef>

namespace pathbook {

class Heap {
public:
    // Returns at least `bytes` bytes (one byte for a request of 0). Never null:
    // an allocation failure ends the process.
    static void* Allocate(std::size_t bytes);
    // Ends the process as a failed allocation does: for needs no allocation
    // could meet (a size past every limit, memory the system refused). The
    // last words run first, once.
    [[noreturn]] static void OutOfMemory();
    // What to do before the process ends for want of memory (save what can be
    // saved without allocating); null for nothing.
    static void SetLastWords(void (*lastWords)());
    // Returns a block from Allocate; null does nothing.
    static void Free(void* block);
    // Copies `bytes` bytes; the ranges may overlap.
    static void CopyBytes(void* to, const void* from, std::size_t bytes);
    // Sets `bytes` bytes to `value`.
    static void FillBytes(void* to, unsigned char value, std::size_t bytes);
};

}  // namespace pathbook
