#include "document/line_arena.h"

#include <new>

#include "platform/large_blocks.h"
#include "runtime/heap.h"

namespace pathbook {
namespace {

// Chunks come from the system with their pages in place: a load fills them
// at once. Two MiB, so that a chunk can be one large page where the system
// has them: a fault per small page costs a load as much as its decoding.
constexpr std::size_t kChunkBytes = std::size_t{2} << 20;
// Larger blocks would leave too much of a chunk's end unused.
constexpr std::size_t kLargestBlock = kChunkBytes / 16;

}  // namespace

struct LineArena::Chunk {
    // Blocks handed out and not yet released, plus one while an arena carves
    // from the chunk. Invariant: > 0 until the chunk is freed.
    std::size_t holders;
};

namespace {

constexpr std::size_t kHeaderBytes =
    (sizeof(std::size_t) + LineArena::kBlockAlignment - 1) / LineArena::kBlockAlignment * LineArena::kBlockAlignment;

}  // namespace

LineArena::~LineArena() {
    if (chunk_ != nullptr) Drop(chunk_);
}

void* LineArena::Allocate(std::size_t bytes, std::uint32_t* offset) {
    bytes = (bytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
    if (bytes > kLargestBlock) return nullptr;
    if (chunk_ == nullptr || used_ + bytes > kChunkBytes) StartChunk();
    *offset = static_cast<std::uint32_t>(used_);
    void* block = reinterpret_cast<char*>(chunk_) + used_;
    used_ += bytes;
    ++chunk_->holders;
    return block;
}

void LineArena::StartChunk() {
    if (chunk_ != nullptr) Drop(chunk_);
    void* memory = platform::AllocateResidentBlock(kChunkBytes);
    if (memory == nullptr) Heap::OutOfMemory();
    chunk_ = new (memory) Chunk{1};
    used_ = kHeaderBytes;
}

void LineArena::Release(void* block, std::uint32_t offset) {
    Drop(reinterpret_cast<Chunk*>(static_cast<char*>(block) - offset));
}

void LineArena::Drop(Chunk* chunk) {
    if (--chunk->holders == 0) {
        chunk->~Chunk();
        platform::FreeResidentBlock(chunk, kChunkBytes);
    }
}

}  // namespace pathbook
