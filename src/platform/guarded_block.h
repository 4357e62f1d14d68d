// A named shared block under a named mutex, the form every block shared
// between instances takes: each use maps the block and holds the mutex for
// just its own duration, so that a view is never left mapped between uses.
#pragma once

#include <cstdint>

#include "platform/named_mutex.h"
#include "platform/shared_memory.h"

namespace pathbook::platform {

class GuardedBlock {
public:
    ~GuardedBlock() { Close(); }

    // Opens the mutex, then creates or opens the block; *created tells which.
    // False, with nothing left open, when either cannot be had: a block
    // nobody can lock would be written by instances at once.
    bool Open(const char16_t* blockName, const char16_t* mutexName, std::uint32_t size, bool* created) {
        Close();
        if (!mutex_.Open(mutexName)) return false;
        if (memory_.Open(blockName, size, created)) return true;
        mutex_.Close();
        return false;
    }
    // Lets go of the block while holding the mutex, then of the mutex.
    void Close() {
        if (IsOpen()) {
            mutex_.Acquire(NamedMutex::kWaitForever);
            memory_.Close();
        }
        mutex_.Close();
    }
    bool IsOpen() const { return memory_.IsOpen(); }

    // Runs `work(bytes)` on the mapped block while holding the mutex and gives
    // its result; false without running it when the block cannot be mapped or
    // the mutex not taken.
    template <typename Work>
    bool Use(bool writable, Work work) {
        std::uint8_t* bytes = memory_.Map(writable);
        if (bytes == nullptr) return false;
        bool result = mutex_.Acquire(NamedMutex::kWaitForever) && work(bytes);
        memory_.Unmap(bytes);
        mutex_.Release();
        return result;
    }

private:
    NamedMutex mutex_;
    SharedMemory memory_;
};

}  // namespace pathbook::platform
