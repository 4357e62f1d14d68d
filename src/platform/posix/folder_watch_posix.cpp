// inotify watches one folder at a time: every folder of the tree gets a
// watch, and a folder made or moved in later gets one (with its own tree) as
// its event is read. An eventfd wakes a waiting poll for Stop.
#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/folder_watch.h"
#include "platform/posix/native_path.h"

namespace pathbook::platform {
namespace {

constexpr std::uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_MODIFY |
                                  IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW;

// The events of one burst (a save writes, renames and sets times) are read
// together: each read waits this long for more, at most kBurstReads times.
constexpr int kBurstMilliseconds = 50;
constexpr int kBurstReads = 20;

bool IsFolder(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

struct FolderWatch::System {
    int notify = -1;
    int wake = -1;
    std::map<int, std::string> folders;  // watch descriptor -> the folder it watches

    ~System() {
        if (notify >= 0) close(notify);
        if (wake >= 0) close(wake);
    }

    // Watches `root` and the folders below it, walked with a stack of its own
    // (a deep tree takes no recursion); folders reached through links are left
    // out. Stop ends the walk.
    void WatchTree(const std::string& root) {
        std::vector<std::string> pending{root};
        while (!pending.empty() && !Stopped()) {
            std::string folder = std::move(pending.back());
            pending.pop_back();
            int watch = inotify_add_watch(notify, folder.c_str(), kEvents);
            if (watch < 0) continue;
            folders[watch] = folder;
            DIR* listing = opendir(folder.c_str());
            if (listing == nullptr) continue;
            while (const dirent* item = readdir(listing)) {
                if (std::strcmp(item->d_name, ".") == 0 || std::strcmp(item->d_name, "..") == 0) continue;
                std::string path = folder + "/" + item->d_name;
                if (item->d_type == DT_DIR || (item->d_type == DT_UNKNOWN && IsFolder(path))) pending.push_back(path);
            }
            closedir(listing);
        }
    }

    // Reads the queued events; a folder that arrived gets its watches.
    void Drain() {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            ssize_t length = read(notify, buffer, sizeof buffer);
            if (length <= 0) return;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                if (event->mask & IN_IGNORED) folders.erase(event->wd);
                bool folderArrived = (event->mask & IN_ISDIR) && (event->mask & (IN_CREATE | IN_MOVED_TO));
                auto parent = folders.find(event->wd);
                if (folderArrived && event->len > 0 && parent != folders.end()) {
                    WatchTree(parent->second + "/" + event->name);
                }
            }
        }
    }

    // Whether the wake descriptor was written.
    bool Stopped() const {
        pollfd check{wake, POLLIN, 0};
        return poll(&check, 1, 0) > 0;
    }
};

FolderWatch::FolderWatch() : system_(std::make_unique<System>()) {
    system_->wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

FolderWatch::~FolderWatch() = default;

bool FolderWatch::Start(const char16_t* folder) {
    if (system_->wake < 0 || posix::NamesOtherDrive(folder)) return false;
    system_->notify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    struct stat info;
    std::string root = posix::NativePath(folder);
    if (system_->notify < 0 || stat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    system_->WatchTree(root);
    return !system_->folders.empty() && !system_->Stopped();
}

WatchEvent FolderWatch::Wait(std::uint32_t milliseconds) {
    if (system_->wake < 0 || system_->notify < 0 || system_->folders.empty()) return WatchEvent::kStopped;
    pollfd both[2] = {{system_->wake, POLLIN, 0}, {system_->notify, POLLIN, 0}};
    const int timeout = milliseconds == kWaitForever || milliseconds > 0x7FFFFFFF ? -1 : static_cast<int>(milliseconds);
    int ready = poll(both, 2, timeout);
    if ((both[0].revents & POLLIN) != 0) return WatchEvent::kStopped;
    if (ready <= 0) return WatchEvent::kTimedOut;
    int reads = 0;
    do {
        system_->Drain();
    } while (++reads < kBurstReads && poll(&both[1], 1, kBurstMilliseconds) > 0 && !system_->Stopped());
    return system_->Stopped() ? WatchEvent::kStopped : WatchEvent::kChanged;
}

void FolderWatch::Stop() {
    if (system_->wake < 0) return;
    const std::uint64_t one = 1;
    ssize_t written = write(system_->wake, &one, sizeof one);
    static_cast<void>(written);
}

}  // namespace pathbook::platform
