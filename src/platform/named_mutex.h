// A mutex shared by name between processes. The Windows build uses a kernel
// mutex; the POSIX build an advisory lock on a named shared-memory object, which
// the system releases when its holder ends, as Windows abandons a mutex.
#pragma once

#include <cstdint>

namespace pathbook::platform {

// How long an instance waits for a mutex that another instance holds: far
// longer than a sound holder keeps it (a few file or memory operations), short
// enough that a hung instance does not freeze every other one. No wait in the
// program is longer.
constexpr std::uint32_t kInstanceWaitMilliseconds = 3000;

// Told when a wait for another instance ran out, so that the user hears
// "another Pathbook window is busy" instead of a frozen window.
class BusyListener {
public:
    virtual ~BusyListener() = default;
    virtual void OnOtherInstanceBusy() = 0;
};

class NamedMutex {
public:
    NamedMutex() = default;
    ~NamedMutex() { Close(); }
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // Creates the mutex `name`, not owned, or opens the existing one.
    bool Open(const char16_t* name);
    // Releases the mutex when held, then closes it.
    void Close();
    bool IsOpen() const { return handle_ != kNone; }

    // Waits at most `milliseconds` for ownership. A holder
    // that ended without releasing counts as released. False on time-out or
    // when the mutex is not open. Not recursive: hold it once at a time.
    bool Acquire(std::uint32_t milliseconds);
    void Release();
    bool IsHeld() const { return held_; }

    // Removes the name from the system where names outlive their users (POSIX),
    // so that tests leave nothing behind. Nothing to do on Windows.
    static void RemoveName(const char16_t* name);

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;  // HANDLE or descriptor
    bool held_ = false;             // invariant: held_ implies IsOpen()
};

}  // namespace pathbook::platform
