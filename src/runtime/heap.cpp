#include "runtime/heap.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pathbook {
namespace {

std::atomic<void (*)()> lastWords{nullptr};

}  // namespace

void* Heap::Allocate(std::size_t bytes) {
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) OutOfMemory();
    return block;
}

void Heap::OutOfMemory() {
    // Taken once: a failure inside the last words does not run them again.
    if (void (*words)() = lastWords.exchange(nullptr)) words();
    std::fputs("Pathbook: out of memory\n", stderr);
    std::abort();
}

void Heap::SetLastWords(void (*words)()) { lastWords = words; }

void Heap::Free(void* block) { std::free(block); }

void Heap::CopyBytes(void* to, const void* from, std::size_t bytes) {
    std::memmove(to, from, bytes);
}

void Heap::FillBytes(void* to, unsigned char value, std::size_t bytes) {
    std::memset(to, value, bytes);
}

}  // namespace pathbook
