// Holds the mutex that guards the history keys and the favourites file across
// instances for one read-modify-write. The wait is bounded: when another
// instance keeps the mutex longer than kHistoryLockWait, the work goes on
// without it rather than hang the user interface.
#pragma once

#include <cstdint>

#include "platform/named_mutex.h"
#include "runtime/string.h"

namespace pathbook {

constexpr std::uint32_t kHistoryLockWaitMilliseconds = 5000;
inline constexpr char16_t kHistoryMutexName[] = u"Scriptor_MRUMutex";

class HistoryLock {
public:
    explicit HistoryLock(const String& mutexName) {
        if (mutex_.Open(mutexName.Chars())) mutex_.Acquire(kHistoryLockWaitMilliseconds);
    }
    HistoryLock(const HistoryLock&) = delete;
    HistoryLock& operator=(const HistoryLock&) = delete;

    // False when the wait timed out or the mutex could not be made.
    bool Held() const { return mutex_.IsHeld(); }

private:
    platform::NamedMutex mutex_;  // released and closed on destruction
};

}  // namespace pathbook
