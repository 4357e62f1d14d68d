// Tells when anything in a folder tree changes: a file or folder made,
// removed, renamed or written, at any depth. It says only that something
// changed, not what: the caller looks again (file times are cheap to compare).
// Start and Wait run on the watching thread (Start may walk the whole tree);
// Stop, from any other thread at any time, ends them.
// Tested by tests/unit/notebook/folder_watch_test.cpp.
#pragma once

#include <cstdint>
#include <memory>

namespace pathbook::platform {

enum class WatchEvent {
    kChanged,   // something in the tree changed since the last Wait
    kTimedOut,  // nothing changed within the time given
    kStopped,   // Stop was called, or the watch could not be started
};

constexpr std::uint32_t kWaitForever = 0xFFFFFFFF;

// Destroy it only after the watching thread has ended.
class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Starts watching the tree under `folder` (Windows form). False when the
    // system cannot watch it, or Stop came first; Wait then returns kStopped.
    bool Start(const char16_t* folder);
    // Waits at most `milliseconds` (or kWaitForever) for a change; the changes
    // of one burst are reported once.
    WatchEvent Wait(std::uint32_t milliseconds);
    // Ends the Start or Wait running on another thread and every later one.
    // Safe to call from any thread, more than once.
    void Stop();

private:
    struct System;  // the system's handles
    std::unique_ptr<System> system_;
};

}  // namespace pathbook::platform
