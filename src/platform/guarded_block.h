// A named shared block under a named mutex, the form every block shared
// between instances takes: each use maps the block and holds the mutex for
// just its own duration, so that a view is never left mapped between uses.
// Every wait for the mutex is bounded: when another instance keeps it longer,
// the use does not happen and the busy listener hears of it.
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
    // nobody can lock would be written by instances at once. `busy` (may be
    // null) outlives the block; each wait lasts at most `waitMilliseconds`.
    bool Open(const char16_t* blockName, const char16_t* mutexName, std::uint32_t size, bool* created,
              BusyListener* busy = nullptr, std::uint32_t waitMilliseconds = kInstanceWaitMilliseconds) {
        Close();
        busy_ = busy;
        wait_ = waitMilliseconds;
        if (!mutex_.Open(mutexName)) return false;
        if (memory_.Open(blockName, size, created)) return true;
        mutex_.Close();
        return false;
    }
    // Lets go of the block while holding the mutex (or, when another instance
    // keeps it past the wait, without), then of the mutex.
    void Close() {
        if (IsOpen()) {
            Acquire();
            memory_.Close();
        }
        mutex_.Close();
    }
    bool IsOpen() const { return memory_.IsOpen(); }

    // Runs `work(bytes)` on the mapped block while holding the mutex and gives
    // its result; false without running it when the block cannot be mapped or
    // the mutex not taken in time.
    template <typename Work>
    bool Use(bool writable, Work work) {
        std::uint8_t* bytes = memory_.Map(writable);
        if (bytes == nullptr) return false;
        bool result = Acquire() && work(bytes);
        memory_.Unmap(bytes);
        mutex_.Release();
        return result;
    }

private:
    bool Acquire() {
        if (mutex_.Acquire(wait_)) return true;
        if (busy_ != nullptr) busy_->OnOtherInstanceBusy();
        return false;
    }

    NamedMutex mutex_;
    SharedMemory memory_;
    BusyListener* busy_ = nullptr;
    std::uint32_t wait_ = kInstanceWaitMilliseconds;
};

}  // namespace pathbook::platform
