// A change notification handle for the whole tree, and an event that Stop sets.
#include <windows.h>

#include "platform/folder_watch.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                           FILE_NOTIFY_CHANGE_LAST_WRITE;

// The notifications of one burst (a save writes, renames and sets times) are
// taken together: each wait for more lasts this long, at most kBurstWaits times.
constexpr DWORD kBurstMilliseconds = 50;
constexpr int kBurstWaits = 20;

}  // namespace

struct FolderWatch::System {
    HANDLE change = INVALID_HANDLE_VALUE;
    HANDLE stop = nullptr;

    ~System() {
        if (change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change);
        if (stop != nullptr) CloseHandle(stop);
    }
};

FolderWatch::FolderWatch() = default;
FolderWatch::~FolderWatch() = default;

bool FolderWatch::Start(const char16_t* folder) {
    system_ = std::make_unique<System>();
    system_->stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (system_->stop == nullptr) return false;
    system_->change = FindFirstChangeNotificationW(win32::Wide(folder), TRUE, kChanges);
    return system_->change != INVALID_HANDLE_VALUE;
}

WatchEvent FolderWatch::Wait(std::uint32_t milliseconds) {
    if (!system_ || system_->stop == nullptr) return WatchEvent::kStopped;
    if (system_->change == INVALID_HANDLE_VALUE) {
        WaitForSingleObject(system_->stop, milliseconds == kWaitForever ? INFINITE : milliseconds);
        return WatchEvent::kStopped;
    }
    HANDLE both[2] = {system_->stop, system_->change};
    DWORD result = WaitForMultipleObjects(2, both, FALSE, milliseconds == kWaitForever ? INFINITE : milliseconds);
    if (result == WAIT_OBJECT_0) return WatchEvent::kStopped;
    if (result != WAIT_OBJECT_0 + 1) return WatchEvent::kTimedOut;
    int waits = 0;
    do {
        if (!FindNextChangeNotification(system_->change)) break;
    } while (++waits < kBurstWaits && WaitForMultipleObjects(2, both, FALSE, kBurstMilliseconds) == WAIT_OBJECT_0 + 1);
    return WaitForSingleObject(system_->stop, 0) == WAIT_OBJECT_0 ? WatchEvent::kStopped : WatchEvent::kChanged;
}

void FolderWatch::Stop() {
    if (system_ && system_->stop != nullptr) SetEvent(system_->stop);
}

}  // namespace pathbook::platform
