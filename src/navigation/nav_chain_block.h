// The navigation chain's shared block: 2048 little-endian 16-bit units. From
// unit 0, entries follow each other without gaps; an entry at unit b is
//   b: length L (header included: path length + 5), b+1: 0,
//   b+2, b+3: the CharsetId, low unit first, b+4 .. b+L-2: the path,
//   b+L-1: 0.
// A length of 0 ends the chain; unit 2047 is always 0. Entries are in visiting
// order, oldest first, and a path occurs once (letter case aside).
//
// Other processes write the block, so nothing here trusts it: every walk
// checks each entry against the block, and an entry shorter than 5 units or
// reaching past unit 2046 ends the walk as if the chain ended there. No
// operation reads or writes outside the 4096 bytes, whatever they hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "textfile/charset.h"

namespace pathbook {

constexpr std::uint32_t kNavChainBytes = 4096;
constexpr std::uint32_t kNavChainUnits = kNavChainBytes / 2;
constexpr std::uint32_t kNavChainSentinel = kNavChainUnits - 1;
// The longest path callers can take (their buffers hold 260 with the NUL).
constexpr std::size_t kMaxNavPathLength = 259;

struct NavEntry {
    std::u16string path;
    CharsetId code = 0;
};

// An entry taken out of the chain and the path that followed it (none when it
// was the last), so that it can be put back where it stood. A follower's path
// may be empty: other processes may write such an entry.
struct TakenEntry {
    NavEntry entry;
    std::optional<std::u16string> next;
};

namespace navchain {

// Adds (path, code) at the end unless the path is there already, the path is
// empty or longer than kMaxNavPathLength, or the block has no room. True when added.
bool Append(std::uint8_t* block, std::u16string_view path, CharsetId code);
// Takes the path's entry out, moving the later ones down. True when it was
// there; `taken`, when given, then receives the entry and its follower.
bool Remove(std::uint8_t* block, std::u16string_view path, TakenEntry* taken = nullptr);
// Puts a taken entry back in front of its follower, or at the end when the
// follower has gone meanwhile. Nothing when the path is in the chain again or
// the block has no room. True when put back.
bool PutBack(std::uint8_t* block, const TakenEntry& taken);
// The entry just after / before the path's entry; false when the path is not
// in the chain or has no such neighbour.
bool Next(const std::uint8_t* block, std::u16string_view path, NavEntry* entry);
bool Previous(const std::uint8_t* block, std::u16string_view path, NavEntry* entry);
// The entries a walk sees, oldest first.
std::vector<NavEntry> Entries(const std::uint8_t* block);
// Writes the sentinel 0 at unit 2047.
void ClearSentinel(std::uint8_t* block);
// Whether the block is a well-formed chain: every entry whole, terminated and
// unique, the sentinel 0.
bool CheckInvariants(const std::uint8_t* block);

}  // namespace navchain
}  // namespace pathbook
