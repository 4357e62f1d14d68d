// The chain of visited documents behind back and forward, shared by every
// running instance: a named block of 4096 bytes (layout in nav_chain_block.h)
// under a named mutex. Each operation maps the block for its duration and holds
// the mutex while it reads or writes. Without the block (it could not be made)
// every operation does nothing and finds nothing.
#pragma once

#include <vector>

#include "navigation/nav_chain_block.h"
#include "platform/guarded_block.h"
#include "runtime/string.h"

namespace pathbook {

inline constexpr char16_t kNavChainBlockName[] = u"PathShare_ShareMemory";
inline constexpr char16_t kNavChainMutexName[] = u"PathShare_Semaphore";

struct NavChainNames {
    String block = kNavChainBlockName;
    String mutex = kNavChainMutexName;
    platform::BusyListener* busy = nullptr;  // hears when another instance kept the mutex too long
};

class NavChain {
public:
    // Creates or opens the mutex and the block and clears the block's sentinel;
    // false, and detached, when either cannot be had.
    bool Attach(const NavChainNames& names = NavChainNames());
    void Detach();
    bool IsAttached() const { return block_.IsOpen(); }

    // See nav_chain_block.h; each returns false when nothing changed or was found.
    bool Append(const String& path, CharsetId code);
    bool Remove(const String& path, TakenEntry* taken = nullptr);
    bool PutBack(const TakenEntry& taken);
    bool Next(const String& path, NavEntry* entry);
    bool Previous(const String& path, NavEntry* entry);
    std::vector<NavEntry> Entries();

private:
    platform::GuardedBlock block_;
};

}  // namespace pathbook
