// Holds the mutex that guards the history keys and the favourites file across
// instances for one read-modify-write. The wait is bounded: when another
// instance keeps the mutex longer than the wait, the busy listener hears of it,
// reading goes on without the mutex rather than hang the user interface, and
// writing is refused (TimedOut).
#pragma once

#include <cstdint>

#include "platform/named_mutex.h"
#include "runtime/string.h"

namespace pathbook {

// The wait for the history's mutex: as long as any wait for another instance.
constexpr std::uint32_t kHistoryLockWaitMilliseconds = platform::kInstanceWaitMilliseconds;
inline constexpr char16_t kHistoryMutexName[] = u"Scriptor_MRUMutex";

class HistoryLock {
public:
    // `busy` may be null.
    explicit HistoryLock(const String& mutexName, platform::BusyListener* busy = nullptr,
                         std::uint32_t waitMilliseconds = kHistoryLockWaitMilliseconds) {
        if (!mutex_.Open(mutexName.Chars()) || mutex_.Acquire(waitMilliseconds)) return;
        if (busy != nullptr) busy->OnOtherInstanceBusy();
    }
    HistoryLock(const HistoryLock&) = delete;
    HistoryLock& operator=(const HistoryLock&) = delete;

    // False when the wait timed out or the mutex could not be made.
    bool Held() const { return mutex_.IsHeld(); }
    // True when the mutex exists but another holder kept it past the wait.
    bool TimedOut() const { return mutex_.IsOpen() && !mutex_.IsHeld(); }

private:
    platform::NamedMutex mutex_;  // released and closed on destruction
};

}  // namespace pathbook
