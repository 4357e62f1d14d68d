// Line blocks for a load, carved one after another from large chunks: one
// allocation per chunk instead of one per line, and a file's lines lie in
// memory in the order they were read. A chunk goes back to the system when the
// last line carved from it is destroyed (deleted, or grown into a block of its
// own) and no arena carves from it any more. Lines carry their distance from
// their chunk's start, so destroying one needs no arena.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pathbook {

class LineArena {
public:
    // Every block is aligned to this many bytes.
    static constexpr std::size_t kBlockAlignment = 4;

    LineArena() = default;
    // Gives up the arena's hold on its current chunk; its lines live on.
    ~LineArena();
    LineArena(const LineArena&) = delete;
    LineArena& operator=(const LineArena&) = delete;

    // A block of at least `bytes` bytes, and in `offset` its distance from its
    // chunk's start (never 0). Null for a block too large to share a chunk.
    void* Allocate(std::size_t bytes, std::uint32_t* offset);
    // Gives back the block at `offset` bytes into its chunk.
    static void Release(void* block, std::uint32_t offset);

private:
    struct Chunk;

    void StartChunk();
    // Drops one hold on `chunk`, freeing it with the last.
    static void Drop(Chunk* chunk);

    Chunk* chunk_ = nullptr;  // the chunk being carved, held by the arena; null before the first block
    std::size_t used_ = 0;    // bytes of chunk_ handed out, its header included
};

}  // namespace pathbook
