#include "notebook/notebook_index.h"

#include <algorithm>

#include "navigation/fold_case.h"
#include "notebook/link_target.h"
#include "notebook/note_links.h"
#include "notebook/note_reader.h"

namespace pathbook {

namespace {

bool SameStamp(const NoteFile& a, const NoteFile& b) { return a.size == b.size && a.writeTime == b.writeTime; }

std::vector<NoteLink> FileLinks(const NoteText& text, std::u16string_view noteFolder) {
    std::vector<NoteLink> links;
    for (const FoundLink& found : CollectLinks(text, NoteTokenizer(), noteFolder)) {
        std::u16string target = FileLinkTarget(found.link);
        if (!target.empty()) links.push_back({found.line, found.open, found.close, PathKey(target)});
    }
    links.shrink_to_fit();
    return links;
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
        index->byKey_.emplace(entry.key, i);
        ++(entry.state == NoteState::kNote     ? index->counts_.notes
           : entry.state == NoteState::kBinary ? index->counts_.binary
                                               : index->counts_.unreadable);
    }
    return index;
}

NotePointer ReadIndexedNote(NoteFile file, bool keepText) {
    auto entry = std::make_shared<IndexedNote>();
    entry->key = PathKey(file.path);
    NoteText text;
    switch (ReadNote(file.path.c_str(), &text, &entry->charset)) {
    case NoteOpen::kOpened:
        entry->links = FileLinks(text, FolderOf(file.path));
        entry->textKept = keepText;
        if (keepText) entry->text = std::move(text);
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
    auto found = byKey_.find(PathKey(path));
    return found == byKey_.end() ? nullptr : entries_[found->second];
}

std::size_t NotebookIndex::HeldBytes() const {
    std::size_t bytes = entries_.capacity() * sizeof(NotePointer);
    for (const NotePointer& entry : entries_) {
        bytes += sizeof(IndexedNote) + entry->text.HeldBytes() + entry->links.capacity() * sizeof(NoteLink);
        bytes += (entry->file.path.capacity() + entry->file.relativePath.capacity() + entry->key.capacity()) * 2;
        for (const NoteLink& link : entry->links) bytes += link.targetKey.capacity() * 2;
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
    NoteTree tree = ListNotes(root, noteFilter, work.cancel);
    if (!tree.rootListed || work.cancel.load()) return nullptr;
    const bool reuse = previous != nullptr && PathKey(previous->Root()) == PathKey(NotebookRoot(root)) &&
                       previous->Filter().Text() == noteFilter.Text();
    const auto total = static_cast<std::uint32_t>(tree.files.size());
    std::vector<NotePointer> entries(tree.files.size());
    std::atomic<std::uint32_t> done{0};
    ParallelFor(
        tree.files.size(), work.threads,
        [&](std::size_t item, unsigned) {
            NoteFile& file = tree.files[item];
            NotePointer known = reuse ? previous->Find(file.path) : nullptr;
            if (known != nullptr && SameStamp(known->file, file) &&
                (known->textKept || !work.keepText || known->state != NoteState::kNote)) {
                entries[item] = std::move(known);
            } else {
                entries[item] = ReadIndexedNote(std::move(file), work.keepText);
            }
            const std::uint32_t count = ++done;
            if (work.onProgress) work.onProgress(count, total);
        },
        &work.cancel);
    if (work.cancel.load()) return nullptr;
    NotebookCounts counts;
    counts.tooLarge = tree.tooLarge;
    counts.overLimit = tree.overLimit;
    return MakeIndex(NotebookRoot(root), noteFilter, std::move(entries), counts);
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
    if (platform::FileStamp(file.path.c_str(), &file.size, &file.writeTime) && file.size <= kMaxNoteBytes) {
        NotePointer entry = ReadIndexedNote(std::move(file), keepText);
        auto place = std::lower_bound(entries.begin(), entries.end(), entry, [](const NotePointer& a, const NotePointer& b) {
            return RelativePathLess(a->file.relativePath, b->file.relativePath);
        });
        entries.insert(place, std::move(entry));
    }
    return MakeIndex(index->Root(), index->Filter(), std::move(entries), index->Counts());
}

}  // namespace pathbook
