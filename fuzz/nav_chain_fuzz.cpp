// The chain operations over arbitrary block contents: the first 4096 bytes
// are the block, the rest a script of operations. ASan checks that nothing
// reaches outside the block; the checks below that the operations keep their word.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "navigation/nav_chain_block.h"

namespace nc = pathbook::navchain;

namespace {

bool SameEntries(const std::vector<pathbook::NavEntry>& a, const std::vector<pathbook::NavEntry>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].code != b[i].code) return false;
    }
    return true;
}

// Takes the path out and puts it back: a well-formed chain is then as it was.
void RemoveAndPutBack(std::uint8_t* block, const std::u16string& path) {
    bool wellFormed = nc::CheckInvariants(block);
    std::vector<pathbook::NavEntry> before = nc::Entries(block);
    pathbook::TakenEntry taken;
    if (!nc::Remove(block, path, &taken)) return;
    bool back = nc::PutBack(block, taken);
    if (wellFormed && !path.empty() && (!back || !SameEntries(before, nc::Entries(block)))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A block of its own allocation, so that ASan sees its exact bounds.
    std::uint8_t* block = new std::uint8_t[pathbook::kNavChainBytes]();
    std::size_t taken = size < pathbook::kNavChainBytes ? size : pathbook::kNavChainBytes;
    std::memcpy(block, data, taken);
    for (std::size_t at = taken; at + 2 <= size;) {
        std::uint8_t operation = data[at];
        std::size_t length = data[at + 1] % 40;
        at += 2;
        std::u16string path;
        for (std::size_t i = 0; i < length && at + 1 < size; ++i, at += 2) {
            path.push_back(static_cast<char16_t>(data[at] | (data[at + 1] << 8)));
        }
        pathbook::NavEntry entry;
        switch (operation % 5) {
            case 0:
                if (nc::Append(block, path, operation)) {
                    if (!nc::Remove(block, path) || !nc::Append(block, path, operation)) std::abort();
                }
                break;
            case 1: nc::Remove(block, path); break;
            case 4: RemoveAndPutBack(block, path); break;
            case 2:
                if (nc::Next(block, path, &entry) && entry.path.size() > pathbook::kMaxNavPathLength) std::abort();
                break;
            default:
                if (nc::Previous(block, path, &entry) && entry.path.size() > pathbook::kMaxNavPathLength) std::abort();
                break;
        }
    }
    nc::Entries(block);
    nc::CheckInvariants(block);
    delete[] block;
    return 0;
}
