// A directory handle per folder of the tree, each with ReadDirectoryChangesW
// under way and a completion routine that runs while Wait waits alertably;
// a folder made later gets its own as its arrival is read. (One handle for the
// whole subtree would do on Windows, but Wine reports only the folder itself.)
// Stop sets an event. The I/O belongs to the watching thread: it is cancelled,
// and its completions taken, on that thread before the watch lets go of it.
#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/folder_listing.h"
#include "platform/folder_watch.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                           FILE_NOTIFY_CHANGE_LAST_WRITE;

// The changes of one burst (a save writes, renames and sets times) are taken
// together: each wait for more lasts this long, at most kBurstWaits times.
constexpr DWORD kBurstMilliseconds = 50;
constexpr int kBurstWaits = 20;

bool IsFolder(const std::u16string& path) {
    DWORD attributes = GetFileAttributesW(win32::Wide(path.c_str()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

}  // namespace

struct FolderWatch::System {
    // One watched folder. The OVERLAPPED comes first: the completion routine
    // finds the folder from it.
    struct Folder {
        OVERLAPPED overlapped{};
        System* owner = nullptr;
        std::u16string path;
        HANDLE handle = INVALID_HANDLE_VALUE;
        bool reading = false;  // a read is under way
        alignas(DWORD) std::uint8_t buffer[8192];
    };

    HANDLE stop = nullptr;
    std::u16string root;
    std::vector<std::unique_ptr<Folder>> folders;
    std::set<std::u16string> watched;  // the folders' paths
    std::vector<std::u16string> arrived;  // folders made since, still to watch
    bool changed = false;
    bool everything = false;  // a report was lost: look for unwatched folders everywhere

    ~System() {
        Release();
        if (stop != nullptr) CloseHandle(stop);
    }

    static void CALLBACK Completed(DWORD error, DWORD bytes, OVERLAPPED* overlapped) {
        auto* folder = reinterpret_cast<Folder*>(overlapped);
        folder->reading = false;
        if (error == ERROR_OPERATION_ABORTED) return;
        System& system = *folder->owner;
        system.changed = true;
        if (error != ERROR_SUCCESS || bytes == 0) {
            system.everything = true;
        } else {
            system.NoteArrivals(*folder, bytes);
        }
        system.Read(*folder);
    }

    void NoteArrivals(const Folder& folder, DWORD bytes) {
        for (DWORD at = 0; at + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
            const auto* item = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(folder.buffer + at);
            if (item->Action == FILE_ACTION_ADDED || item->Action == FILE_ACTION_RENAMED_NEW_NAME) {
                arrived.push_back(folder.path + u'\\' +
                                  std::u16string(win32::Utf16(item->FileName), item->FileNameLength / sizeof(wchar_t)));
            }
            if (item->NextEntryOffset == 0) break;
            at += item->NextEntryOffset;
        }
    }

    void Read(Folder& folder) {
        if (folder.handle == INVALID_HANDLE_VALUE || WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) return;
        folder.overlapped = OVERLAPPED{};
        folder.reading = ReadDirectoryChangesW(folder.handle, folder.buffer, sizeof folder.buffer, FALSE, kChanges,
                                               nullptr, &folder.overlapped, &System::Completed) != FALSE;
    }

    // Watches `root` and the folders below it that are not watched yet,
    // walked with a list of their own; folders reached through links are left out.
    void WatchTree(const std::u16string& root) {
        std::vector<std::u16string> pending{root};
        std::vector<FolderEntry> entries;
        while (!pending.empty() && WaitForSingleObject(stop, 0) != WAIT_OBJECT_0) {
            std::u16string path = std::move(pending.back());
            pending.pop_back();
            if (watched.insert(path).second) Watch(path);
            ListFolder(path.c_str(), &entries);
            for (const FolderEntry& entry : entries) {
                if (entry.isFolder && !entry.isLink) pending.push_back(path + u'\\' + entry.name);
            }
        }
    }

    void Watch(const std::u16string& path) {
        auto folder = std::make_unique<Folder>();
        folder->owner = this;
        folder->path = path;
        folder->handle = CreateFileW(win32::Wide(path.c_str()), FILE_LIST_DIRECTORY,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        if (folder->handle == INVALID_HANDLE_VALUE) return;
        Read(*folder);
        folders.push_back(std::move(folder));
    }

    // Watches the folders that arrived, and after a lost report every one not watched yet.
    void WatchArrivals() {
        std::vector<std::u16string> paths;
        paths.swap(arrived);
        for (const std::u16string& path : paths) {
            if (IsFolder(path)) WatchTree(path);
        }
        if (everything) {
            everything = false;
            WatchTree(root);
        }
    }

    // Cancels every read and takes its completion (on this, the reading
    // thread), then closes the handles.
    void Release() {
        for (const auto& folder : folders) {
            if (folder->reading) CancelIoEx(folder->handle, &folder->overlapped);
        }
        for (int round = 0; round < 100 && AnyReading(); ++round) SleepEx(10, TRUE);
        for (const auto& folder : folders) CloseHandle(folder->handle);
        folders.clear();
        watched.clear();
    }

    bool AnyReading() const {
        for (const auto& folder : folders) {
            if (folder->reading) return true;
        }
        return false;
    }
};

FolderWatch::FolderWatch() : system_(std::make_unique<System>()) {
    system_->stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

FolderWatch::~FolderWatch() = default;

bool FolderWatch::Start(const char16_t* folder) {
    System& system = *system_;
    if (system.stop == nullptr) return false;
    system.root = folder;
    while (system.root.size() > 3 && (system.root.back() == u'\\' || system.root.back() == u'/')) system.root.pop_back();
    if (!IsFolder(system.root)) return false;
    system.WatchTree(system.root);
    if (WaitForSingleObject(system.stop, 0) == WAIT_OBJECT_0) system.Release();
    return !system.folders.empty();
}

// Completion routines run inside the alertable waits and set `changed`.
WatchEvent FolderWatch::Wait(std::uint32_t milliseconds) {
    System& system = *system_;
    if (system.stop == nullptr || system.folders.empty()) return WatchEvent::kStopped;
    const DWORD timeout = milliseconds == kWaitForever ? INFINITE : milliseconds;
    DWORD result = WAIT_IO_COMPLETION;
    while (result == WAIT_IO_COMPLETION && !system.changed) result = WaitForSingleObjectEx(system.stop, timeout, TRUE);
    const bool sawChange = system.changed;
    // The rest of the burst, until the folders have been quiet for a moment.
    for (int waits = 0; result != WAIT_OBJECT_0 && system.changed && waits < kBurstWaits; ++waits) {
        system.changed = false;
        system.WatchArrivals();
        result = WaitForSingleObjectEx(system.stop, kBurstMilliseconds, TRUE);
    }
    system.WatchArrivals();
    system.changed = false;
    if (result == WAIT_OBJECT_0) {
        system.Release();
        return WatchEvent::kStopped;
    }
    return sawChange ? WatchEvent::kChanged : WatchEvent::kTimedOut;
}

void FolderWatch::Stop() {
    if (system_->stop != nullptr) SetEvent(system_->stop);
}

}  // namespace pathbook::platform
