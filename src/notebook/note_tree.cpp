#include "notebook/note_tree.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace pathbook {
namespace {

// A unit's rank in code point order: surrogates (D800-DFFF, which only ever
// stand for code points above FFFF) sort after E000-FFFF.
char32_t CodePointRank(char16_t unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) return unit + 0x2000;
    if (unit >= 0xE000) return unit - 0x800;
    return unit;
}

// A folder still to be listed: its full path and its path below the root.
struct PendingFolder {
    std::u16string path;
    std::u16string relativePath;  // empty for the root, else ending in "/"
};

}  // namespace

std::u16string NotebookRoot(std::u16string_view root) {
    std::u16string path(root);
    std::replace(path.begin(), path.end(), u'/', u'\\');
    while (path.size() > 1 && path.back() == u'\\' && path[path.size() - 2] != u':') path.pop_back();
    if (!path.empty() && path.back() == u'\\') path.pop_back();
    return path;
}

bool RelativePathLess(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) return CodePointRank(a[i]) < CodePointRank(b[i]);
    }
    return a.size() < b.size();
}

namespace {

// The walk's shared state: folders still to list, and what was found.
class TreeWalk {
public:
    TreeWalk(std::u16string root, const NoteFilter& filter, const std::atomic<bool>& cancel)
        : filter_(filter), cancel_(cancel), pending_{{std::move(root), u""}} {}

    // Lists folders until none is left and no thread may add more.
    void Run() {
        std::vector<platform::FolderEntry> entries;
        NoteTree found;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            more_.wait(lock, [this] { return !pending_.empty() || busy_ == 0 || cancel_.load(); });
            if (pending_.empty() || cancel_.load()) break;
            PendingFolder folder = std::move(pending_.back());
            pending_.pop_back();
            ++busy_;
            lock.unlock();
            std::vector<PendingFolder> folders;
            const bool listed = platform::ListFolder(folder.path.c_str(), &entries);
            Take(folder, entries, found, folders);
            lock.lock();
            if (folder.relativePath.empty()) tree_.rootListed = listed;
            for (PendingFolder& sub : folders) pending_.push_back(std::move(sub));
            --busy_;
            more_.notify_all();
        }
        tree_.tooLarge += found.tooLarge;
        for (NoteFile& file : found.files) tree_.files.push_back(std::move(file));
        more_.notify_all();
    }

    // The notes in order; beyond kMaxNotes, the last ones in that order are left out.
    NoteTree Finish() {
        std::sort(tree_.files.begin(), tree_.files.end(), ByPath);
        if (tree_.files.size() > kMaxNotes) {
            tree_.overLimit = static_cast<std::uint32_t>(tree_.files.size() - kMaxNotes);
            tree_.files.resize(kMaxNotes);
        }
        return std::move(tree_);
    }

private:
    static bool ByPath(const NoteFile& a, const NoteFile& b) { return RelativePathLess(a.relativePath, b.relativePath); }

    // Sorts one folder's entries into notes, notes left out and folders to list.
    void Take(const PendingFolder& folder, std::vector<platform::FolderEntry>& entries, NoteTree& found,
              std::vector<PendingFolder>& folders) const {
        for (platform::FolderEntry& entry : entries) {
            std::u16string path = folder.path + u'\\' + entry.name;
            if (entry.isFolder) {
                if (!entry.isLink) folders.push_back({std::move(path), folder.relativePath + entry.name + u'/'});
            } else if (!filter_.Matches(entry.name)) {
                continue;
            } else if (entry.size > kMaxNoteBytes) {
                ++found.tooLarge;
            } else {
                found.files.push_back({std::move(path), folder.relativePath + entry.name, entry.size, entry.writeTime});
            }
        }
    }

    const NoteFilter& filter_;
    const std::atomic<bool>& cancel_;
    std::mutex mutex_;
    std::condition_variable more_;  // a folder to list came in, or the walk ended
    std::vector<PendingFolder> pending_;
    unsigned busy_ = 0;  // threads listing a folder, which may add more
    NoteTree tree_;
};

}  // namespace

NoteTree ListNotes(std::u16string_view root, const NoteFilter& filter, const std::atomic<bool>& cancel,
                   unsigned threads) {
    TreeWalk walk(NotebookRoot(root), filter, cancel);
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < threads; ++i) helpers.emplace_back([&walk] { walk.Run(); });
    walk.Run();
    for (std::thread& helper : helpers) helper.join();
    return walk.Finish();
}

}  // namespace pathbook
