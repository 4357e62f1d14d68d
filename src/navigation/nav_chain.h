// The chain of visited documents behind back and forward, shared by every
// running instance: a named block of 4096 bytes (layout in nav_chain_block.h)
// under a named mutex. Each operation maps the block for its duration and holds
// the mutex while it reads or writes. Without the block (it could not be made)
// every operation does nothing and finds nothing.
#pragma once

#include <vector>

#include "navigation/nav_chain_block.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "runtime/string.h"

namespace pathbook {

inline constexpr char16_t kNavChainBlockName[] = u"PathShare_ShareMemory";
inline constexpr char16_t kNavChainMutexName[] = u"PathShare_Semaphore";

struct NavChainNames {
    String block = kNavChainBlockName;
    String mutex = kNavChainMutexName;
};

class NavChain {
public:
    NavChain() = default;
    ~NavChain() { Detach(); }
    NavChain(const NavChain&) = delete;
    NavChain& operator=(const NavChain&) = delete;

    // Creates or opens the mutex and the block and clears the block's sentinel.
    bool Attach(const NavChainNames& names = NavChainNames());
    void Detach();
    bool IsAttached() const { return memory_.IsOpen(); }

    // See nav_chain_block.h; each returns false when nothing changed or was found.
    bool Append(const String& path, CharsetId code);
    bool Remove(const String& path);
    bool Next(const String& path, NavEntry* entry);
    bool Previous(const String& path, NavEntry* entry);
    std::vector<NavEntry> Entries();

private:
    // Runs `work` on the mapped block while holding the mutex; false when the
    // block cannot be mapped.
    template <typename Work>
    bool WithBlock(bool writable, Work work);

    platform::NamedMutex mutex_;
    platform::SharedMemory memory_;
};

}  // namespace pathbook
