#include "notebook/notebook_index.h"

#include <algorithm>

#include "navigation/fold_case.h"
#include "notebook/link_target.h"
#include "notebook/note_links.h"
#include "notebook/note_reader.h"
#include "platform/file_stamp.h"

namespace pathbook {

namespace {

std::uint64_t KeyHash(std::u16string_view key) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (char16_t unit : key) hash = (hash ^ unit) * 0x100000001B3ull;
    return hash;
}

bool SameStamp(const NoteFile& a, const NoteFile& b) { return a.size == b.size && a.writeTime == b.writeTime; }

// For each listed file, the entry of `previous` that can stand for it: the
// same path below the root, size and write time (and a text, when texts are
// kept). Both lists are in RelativePathLess order, so one walk pairs them.
std::vector<NotePointer> Unchanged(const NoteTree& tree, const NotebookIndex& previous, bool keepText) {
    std::vector<NotePointer> shared(tree.files.size());
    const std::vector<NotePointer>& known = previous.Entries();
    std::size_t k = 0;
    for (std::size_t i = 0; i < tree.files.size(); ++i) {
        const NoteFile& file = tree.files[i];
        while (k < known.size() && RelativePathLess(known[k]->file.relativePath, file.relativePath)) ++k;
        if (k == known.size()) break;
        const IndexedNote& entry = *known[k];
        if (entry.file.relativePath == file.relativePath && SameStamp(entry.file, file) &&
            (entry.textKept || !keepText || entry.state != NoteState::kNote)) {
            shared[i] = known[k];
        }
    }
    return shared;
}

// The note's file links and their targets.
void ResolveFileLinks(const NoteText& text, std::u16string_view noteFolder, IndexedNote* entry) {
    auto targets = std::make_shared<std::u16string>();
    for (const FoundLink& found : CollectLinks(text, NoteTokenizer(), noteFolder)) {
        const std::u16string target = FileLinkTarget(found.link);
        if (target.empty()) continue;
        const auto start = static_cast<std::uint32_t>(targets->size());
        *targets += PathKey(target);
        entry->links.push_back({found.line, found.open, found.close, start, static_cast<std::uint32_t>(target.size())});
    }
    entry->links.shrink_to_fit();
    targets->shrink_to_fit();
    entry->targets = *targets;
    entry->targetsKeeper = std::move(targets);
}

}  // namespace

IndexPointer MakeIndex(std::u16string root, const NoteFilter& filter, std::vector<NotePointer> entries,
                       const NotebookCounts& leftOut) {
    auto index = std::make_shared<NotebookIndex>();
    index->root_ = std::move(root);
    index->filter_ = filter;
    index->entries_ = std::move(entries);
    index->counts_.tooLarge = leftOut.tooLarge;
    index->counts_.overLimit = leftOut.overLimit;
    index->byKey_.reserve(index->entries_.size());
    for (std::size_t i = 0; i < index->entries_.size(); ++i) {
        const IndexedNote& entry = *index->entries_[i];
        index->byKey_.emplace_back(KeyHash(entry.key), static_cast<std::uint32_t>(i));
        ++(entry.state == NoteState::kNote     ? index->counts_.notes
           : entry.state == NoteState::kBinary ? index->counts_.binary
                                               : index->counts_.unreadable);
    }
    std::sort(index->byKey_.begin(), index->byKey_.end());
    return index;
}

NotePointer ReadIndexedNote(NoteFile file, bool keepText) {
    auto entry = std::make_shared<IndexedNote>();
    entry->key = PathKey(file.path);
    NoteText text;
    switch (ReadNote(file.path.c_str(), &text, &entry->charset)) {
    case NoteOpen::kOpened:
        ResolveFileLinks(text, FolderOf(file.path), entry.get());
        entry->textKept = keepText;
        if (!keepText) break;
        entry->grams = NoteGrams::Of(text.Units());
        entry->text = std::move(text);
        break;
    case NoteOpen::kBinary:
        entry->state = NoteState::kBinary;
        break;
    case NoteOpen::kUnreadable:
        entry->state = NoteState::kUnreadable;
        break;
    }
    entry->file = std::move(file);
    return entry;
}

NotePointer NotebookIndex::Find(std::u16string_view path) const {
    const std::u16string key = PathKey(path);
    const std::uint64_t hash = KeyHash(key);
    auto at = std::lower_bound(byKey_.begin(), byKey_.end(), std::make_pair(hash, std::uint32_t{0}));
    for (; at != byKey_.end() && at->first == hash; ++at) {
        if (entries_[at->second]->key == key) return entries_[at->second];
    }
    return nullptr;
}

std::size_t NotebookIndex::HeldBytes() const {
    std::size_t bytes = entries_.capacity() * sizeof(NotePointer);
    for (const NotePointer& entry : entries_) {
        bytes += sizeof(IndexedNote) + entry->text.HeldBytes() + entry->links.capacity() * sizeof(NoteLink);
        bytes += (entry->file.path.capacity() + entry->file.relativePath.capacity() + entry->key.capacity() +
                  entry->targets.size()) * 2;
    }
    return bytes;
}

bool RelativePathIn(std::u16string_view root, std::u16string_view path, std::u16string* relativePath) {
    if (path.size() <= root.size() + 1 || (path[root.size()] != u'\\' && path[root.size()] != u'/')) return false;
    if (!EqualIgnoringCase(PathKey(root), PathKey(path.substr(0, root.size())))) return false;
    relativePath->assign(path.substr(root.size() + 1));
    std::replace(relativePath->begin(), relativePath->end(), u'\\', u'/');
    return true;
}

IndexPointer BuildIndex(std::u16string_view root, std::u16string_view filter, const NotebookIndex* previous,
                        IndexWork& work) {
    const NoteFilter noteFilter(filter);
    return IndexListedNotes(root, noteFilter, ListNotes(root, noteFilter, work.cancel, work.threads), previous, work);
}

IndexPointer IndexListedNotes(std::u16string_view root, const NoteFilter& filter, NoteTree tree,
                              const NotebookIndex* previous, IndexWork& work) {
    if (!tree.rootListed || work.cancel.load()) return nullptr;
    const bool reuse = previous != nullptr && PathKey(previous->Root()) == PathKey(NotebookRoot(root)) &&
                       previous->Filter().Text() == filter.Text();
    const auto total = static_cast<std::uint32_t>(tree.files.size());
    std::vector<NotePointer> entries = reuse ? Unchanged(tree, *previous, work.keepText)
                                             : std::vector<NotePointer>(tree.files.size());
    std::atomic<std::uint32_t> done{0};
    ParallelFor(
        tree.files.size(), work.threads,
        [&](std::size_t item, unsigned) {
            if (entries[item] == nullptr) entries[item] = ReadIndexedNote(std::move(tree.files[item]), work.keepText);
            const std::uint32_t count = ++done;
            if (work.onProgress) work.onProgress(count, total);
        },
        &work.cancel);
    if (work.cancel.load()) return nullptr;
    NotebookCounts counts;
    counts.tooLarge = tree.tooLarge;
    counts.overLimit = tree.overLimit;
    return MakeIndex(NotebookRoot(root), filter, std::move(entries), counts);
}

IndexPointer UpdateIndex(const IndexPointer& index, std::u16string_view path, bool keepText) {
    NoteFile file;
    if (!RelativePathIn(index->Root(), path, &file.relativePath)) return index;
    const std::size_t nameStart = file.relativePath.rfind(u'/') + 1;
    if (!index->Filter().Matches(std::u16string_view(file.relativePath).substr(nameStart))) return index;
    file.path = index->Root() + u'\\' + file.relativePath;
    std::replace(file.path.begin() + static_cast<std::ptrdiff_t>(index->Root().size()), file.path.end(), u'/', u'\\');
    std::vector<NotePointer> entries = index->Entries();
    const std::u16string key = PathKey(file.path);
    auto sameFile = [&key](const NotePointer& entry) { return entry->key == key; };
    entries.erase(std::remove_if(entries.begin(), entries.end(), sameFile), entries.end());
    // A note that grew too large is left out; the next listing counts it.
    const platform::FileStamp stamp = platform::QueryFileStamp(file.path.c_str());
    file.size = stamp.size;
    file.writeTime = static_cast<platform::WriteTime>(stamp.writeTime);
    if (stamp.exists && file.size <= kMaxNoteBytes) {
        NotePointer entry = ReadIndexedNote(std::move(file), keepText);
        auto place = std::lower_bound(entries.begin(), entries.end(), entry, [](const NotePointer& a, const NotePointer& b) {
            return RelativePathLess(a->file.relativePath, b->file.relativePath);
        });
        entries.insert(place, std::move(entry));
    }
    return MakeIndex(index->Root(), index->Filter(), std::move(entries), index->Counts());
}

}  // namespace pathbook
