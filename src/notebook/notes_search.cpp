#include "notebook/notes_search.h"

#include <memory>

#include "notebook/note_reader.h"
#include "notebook/parallel_for.h"

namespace pathbook {
namespace {

// One searcher per thread: a searcher keeps state while it runs.
class Searchers {
public:
    Searchers(unsigned threads, std::u16string_view pattern, search::FindOptions options) {
        for (unsigned i = 0; i < threads; ++i) searchers_.push_back(std::make_unique<NoteSearcher>(pattern, options));
    }
    NoteSearcher& For(unsigned slot) { return *searchers_[slot]; }

private:
    std::vector<std::unique_ptr<NoteSearcher>> searchers_;
};

// The notes that matched, in item order.
std::vector<NoteHits> Collected(std::vector<NoteHits>& byItem) {
    std::vector<NoteHits> hits;
    for (NoteHits& item : byItem) {
        if (!item.matches.empty()) hits.push_back(std::move(item));
    }
    return hits;
}

}  // namespace

std::vector<NoteHits> SearchNotes(const NotebookIndex& index, std::u16string_view pattern,
                                  search::FindOptions options, const std::atomic<bool>* cancel) {
    const std::vector<NotePointer>& entries = index.Entries();
    const unsigned threads = WorkerThreads();
    Searchers searchers(threads, pattern, options);
    std::vector<NoteHits> byItem(entries.size());
    ParallelFor(
        entries.size(), threads,
        [&](std::size_t item, unsigned slot) {
            NoteSearcher& searcher = searchers.For(slot);
            NotePointer note = entries[item];
            if (!note->textKept || !searcher.MayHold(note->grams)) return;
            // A text a damaged cache gave: the file, as the editor would read it now.
            if (!note->text.Intact()) note = ReadIndexedNote(note->file, true);
            searcher.FindAll(note->text, &byItem[item].matches);
            if (!byItem[item].matches.empty()) byItem[item].note = std::move(note);
        },
        cancel);
    return Collected(byItem);
}

FileSearch SearchNoteFiles(std::u16string_view root, std::u16string_view filter, std::u16string_view pattern,
                           search::FindOptions options, unsigned threads) {
    FileSearch result;
    const std::atomic<bool> never{false};
    NoteTree tree = ListNotes(root, NoteFilter(filter), never, threads);
    result.rootListed = tree.rootListed;
    result.counts.tooLarge = tree.tooLarge;
    result.counts.overLimit = tree.overLimit;
    Searchers searchers(threads, pattern, options);
    std::vector<NoteHits> byItem(tree.files.size());
    std::vector<NoteOpen> opened(tree.files.size());
    ParallelFor(tree.files.size(), threads, [&](std::size_t item, unsigned slot) {
        NoteSearcher& searcher = searchers.For(slot);
        NoteReader reader;
        opened[item] = reader.Open(tree.files[item].path.c_str());
        if (opened[item] != NoteOpen::kOpened || !searcher.MayMatch(reader.Bytes(), reader.Size(), reader.Charset())) {
            return;
        }
        searcher.FindAll(reader.ReadText(), &byItem[item].matches);
        if (byItem[item].matches.empty()) return;
        auto note = std::make_shared<IndexedNote>();
        note->file = std::move(tree.files[item]);
        note->charset = reader.Charset();
        byItem[item].note = std::move(note);
    });
    for (NoteOpen open : opened) {
        ++(open == NoteOpen::kOpened ? result.counts.notes
           : open == NoteOpen::kBinary ? result.counts.binary
                                       : result.counts.unreadable);
    }
    result.hits = Collected(byItem);
    return result;
}

}  // namespace pathbook
