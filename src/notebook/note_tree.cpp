#include "notebook/note_tree.h"

#include <algorithm>

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

NoteTree ListNotes(std::u16string_view root, const NoteFilter& filter, const std::atomic<bool>& cancel) {
    NoteTree tree;
    std::vector<PendingFolder> pending{{NotebookRoot(root), u""}};
    std::vector<platform::FolderEntry> entries;
    bool first = true;
    while (!pending.empty() && !cancel.load(std::memory_order_relaxed)) {
        PendingFolder folder = std::move(pending.back());
        pending.pop_back();
        const bool listed = platform::ListFolder(folder.path.c_str(), &entries);
        if (first) tree.rootListed = listed;
        first = false;
        for (platform::FolderEntry& entry : entries) {
            std::u16string path = folder.path + u'\\' + entry.name;
            std::u16string relativePath = folder.relativePath + entry.name;
            if (entry.isFolder) {
                if (!entry.isLink) pending.push_back({std::move(path), relativePath + u'/'});
            } else if (!filter.Matches(entry.name)) {
                continue;
            } else if (entry.size > kMaxNoteBytes) {
                ++tree.tooLarge;
            } else if (tree.files.size() >= kMaxNotes) {
                ++tree.overLimit;
            } else {
                tree.files.push_back({std::move(path), std::move(relativePath), entry.size, entry.writeTime});
            }
        }
    }
    std::sort(tree.files.begin(), tree.files.end(),
              [](const NoteFile& a, const NoteFile& b) { return RelativePathLess(a.relativePath, b.relativePath); });
    return tree;
}

}  // namespace pathbook
