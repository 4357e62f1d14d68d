#include "navigation/nav_chain_block.h"

#include <string>

#include "navigation/fold_case.h"
#include "runtime/byte_order.h"

namespace pathbook::navchain {
namespace {

constexpr std::uint32_t kHeaderUnits = 5;  // length, reserved, two code units, terminator
constexpr std::uint32_t kNone = 0xFFFFFFFF;

std::uint16_t UnitAt(const std::uint8_t* block, std::uint32_t index) {
    return static_cast<std::uint16_t>(LoadUnit16<ByteOrder::kLittleEndian>(block + 2 * index));
}

void SetUnit(std::uint8_t* block, std::uint32_t index, std::uint16_t value) {
    StoreUnit16<ByteOrder::kLittleEndian>(value, block + 2 * index);
}

// The length of the entry at `start`, or 0 when the chain ends there: a zero
// length, or one that cannot be a whole entry inside the block.
std::uint32_t EntryLength(const std::uint8_t* block, std::uint32_t start) {
    if (start >= kNavChainSentinel) return 0;
    std::uint32_t length = UnitAt(block, start);
    if (length < kHeaderUnits || start + length > kNavChainSentinel) return 0;
    return length;
}

bool PathEquals(const std::uint8_t* block, std::uint32_t start, std::uint32_t length, std::u16string_view path) {
    if (length - kHeaderUnits != path.size()) return false;
    std::u16string stored(path.size(), u'\0');
    for (std::size_t i = 0; i < path.size(); ++i) stored[i] = UnitAt(block, start + 4 + static_cast<std::uint32_t>(i));
    return EqualIgnoringCase(stored, path);
}

// Where a walk for `path` stopped: at the path's entry, or at the chain's end
// (`found` kNone). `previous` is the start of the entry before the stop.
struct Walk {
    std::uint32_t found = kNone;
    std::uint32_t previous = kNone;
    std::uint32_t end = 0;
};

Walk WalkFor(const std::uint8_t* block, std::u16string_view path) {
    Walk walk;
    std::uint32_t at = 0;
    for (std::uint32_t length; (length = EntryLength(block, at)) != 0; at += length) {
        if (PathEquals(block, at, length, path)) {
            walk.found = at;
            return walk;
        }
        walk.previous = at;
    }
    walk.end = at;
    return walk;
}

std::uint32_t ChainEnd(const std::uint8_t* block, std::uint32_t from) {
    for (std::uint32_t length; (length = EntryLength(block, from)) != 0;) from += length;
    return from;
}

// The entry at `start` as callers take it: the path up to any NUL inside it.
// False for a path too long for them.
bool ReadEntry(const std::uint8_t* block, std::uint32_t start, NavEntry* entry) {
    std::uint32_t length = EntryLength(block, start);
    if (length == 0) return false;
    std::u16string path;
    for (std::uint32_t i = start + 4; i < start + length - 1; ++i) {
        char16_t unit = UnitAt(block, i);
        if (unit == 0) break;
        path.push_back(unit);
    }
    if (path.size() > kMaxNavPathLength) return false;
    entry->path = std::move(path);
    entry->code = static_cast<CharsetId>(UnitAt(block, start + 2) | (static_cast<std::uint32_t>(UnitAt(block, start + 3)) << 16));
    return true;
}

// Writes the entry for (path, code) at `start`: path length + 5 units.
void WriteEntry(std::uint8_t* block, std::uint32_t start, std::u16string_view path, CharsetId code) {
    std::uint32_t length = static_cast<std::uint32_t>(path.size()) + kHeaderUnits;
    std::uint32_t bits = static_cast<std::uint32_t>(code);
    SetUnit(block, start, static_cast<std::uint16_t>(length));
    SetUnit(block, start + 1, 0);
    SetUnit(block, start + 2, static_cast<std::uint16_t>(bits));
    SetUnit(block, start + 3, static_cast<std::uint16_t>(bits >> 16));
    for (std::size_t i = 0; i < path.size(); ++i) SetUnit(block, start + 4 + static_cast<std::uint32_t>(i), path[i]);
    SetUnit(block, start + length - 1, 0);
}

bool Fits(std::u16string_view path) { return !path.empty() && path.size() <= kMaxNavPathLength; }

}  // namespace

bool Append(std::uint8_t* block, std::u16string_view path, CharsetId code) {
    if (!Fits(path)) return false;
    Walk walk = WalkFor(block, path);
    if (walk.found != kNone) return false;
    std::uint32_t start = walk.end;
    std::uint32_t length = static_cast<std::uint32_t>(path.size()) + kHeaderUnits;
    if (start + length >= kNavChainUnits) return false;
    WriteEntry(block, start, path, code);
    SetUnit(block, start + length, 0);
    return true;
}

bool Remove(std::uint8_t* block, std::u16string_view path, TakenEntry* taken) {
    Walk walk = WalkFor(block, path);
    if (walk.found == kNone) return false;
    std::uint32_t after = walk.found + EntryLength(block, walk.found);
    if (taken != nullptr) {
        *taken = TakenEntry();
        ReadEntry(block, walk.found, &taken->entry);
        NavEntry follower;
        if (ReadEntry(block, after, &follower)) taken->next = std::move(follower.path);
    }
    std::uint32_t moved = ChainEnd(block, after) - after;
    for (std::uint32_t i = 0; i < moved; ++i) SetUnit(block, walk.found + i, UnitAt(block, after + i));
    SetUnit(block, walk.found + moved, 0);
    return true;
}

bool PutBack(std::uint8_t* block, const TakenEntry& taken) {
    const std::u16string& path = taken.entry.path;
    if (!Fits(path) || WalkFor(block, path).found != kNone) return false;
    std::uint32_t end = ChainEnd(block, 0);
    std::uint32_t length = static_cast<std::uint32_t>(path.size()) + kHeaderUnits;
    if (end + length >= kNavChainUnits) return false;
    std::uint32_t start = taken.next ? WalkFor(block, *taken.next).found : kNone;
    if (start == kNone) start = end;
    // Moves the tail up from its end, so that no unit is overwritten before it is copied.
    for (std::uint32_t i = end; i > start; --i) SetUnit(block, i - 1 + length, UnitAt(block, i - 1));
    WriteEntry(block, start, path, taken.entry.code);
    SetUnit(block, end + length, 0);
    return true;
}

bool Next(const std::uint8_t* block, std::u16string_view path, NavEntry* entry) {
    Walk walk = WalkFor(block, path);
    if (walk.found == kNone) return false;
    return ReadEntry(block, walk.found + EntryLength(block, walk.found), entry);
}

bool Previous(const std::uint8_t* block, std::u16string_view path, NavEntry* entry) {
    Walk walk = WalkFor(block, path);
    if (walk.found == kNone || walk.previous == kNone) return false;
    return ReadEntry(block, walk.previous, entry);
}

std::vector<NavEntry> Entries(const std::uint8_t* block) {
    std::vector<NavEntry> entries;
    for (std::uint32_t at = 0, length; (length = EntryLength(block, at)) != 0; at += length) {
        NavEntry entry;
        ReadEntry(block, at, &entry);
        entries.push_back(std::move(entry));
    }
    return entries;
}

void ClearSentinel(std::uint8_t* block) { SetUnit(block, kNavChainSentinel, 0); }

bool CheckInvariants(const std::uint8_t* block) {
    if (UnitAt(block, kNavChainSentinel) != 0) return false;
    std::vector<NavEntry> seen;
    std::uint32_t at = 0;
    for (std::uint32_t length; (length = EntryLength(block, at)) != 0; at += length) {
        if (UnitAt(block, at + 1) != 0 || UnitAt(block, at + length - 1) != 0) return false;
        NavEntry entry;
        if (!ReadEntry(block, at, &entry) || entry.path.size() != length - kHeaderUnits) return false;
        for (const NavEntry& earlier : seen) {
            if (EqualIgnoringCase(earlier.path, entry.path)) return false;
        }
        seen.push_back(std::move(entry));
    }
    return UnitAt(block, at) == 0;
}

}  // namespace pathbook::navchain
