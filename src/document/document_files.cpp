// Loading and saving a Document through a text source and sink.
#include "document/document.h"
#include "document/pending_load.h"
#include "runtime/prefetch.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kReadChunk = 1024;

}  // namespace

LoadResult Document::Load(std::unique_ptr<TextSource> source) {
    BeginLoad(std::move(source));
    return LoadMore(0xFFFFFFFF);
}

void Document::BeginLoad(std::unique_ptr<TextSource> source) {
    CancelLoad();
    load_ = std::make_unique<PendingLoad>(std::move(source));
    state_ = TextState::kLoading;
}

// A line is collected whole before it is stored and classified, so a line of
// any length costs time linear in its length (classifying a growing line after
// every chunk would be quadratic), and its text is classified while it is still
// in the cache.
LoadResult Document::LoadMore(std::uint32_t work) {
    if (!load_) return state_ == TextState::kIncomplete ? LoadResult::kFailed : LoadResult::kComplete;
    const DocPos start = EndOfText();
    TextSource& source = *load_->source;
    LineBuilder& line = load_->line;
    std::uint64_t done = 0;
    bool ended = false;
    while (done == 0 || done < work) {
        if (source.State() == ReadState::kFinished) {
            ended = true;
            break;
        }
        const std::uint32_t count = source.Read(line.Reserve(kReadChunk), kReadChunk);
        line.Commit(count);
        done += count + 1;
        const ReadState state = source.State();
        if (state == ReadState::kAtLineBreak) {
            StoreLoadedLine();
        } else if (state == ReadState::kFinished || count == 0) {
            // A source that stops making progress ends the text.
            ended = true;
            break;
        }
    }
    if (!ended) {
        if (EndOfText() != start) NotifyTextUpdate(start, start, EndOfText(), false);
        return LoadResult::kMore;
    }
    const bool failed = source.Failed();
    EndLoad(failed ? TextState::kIncomplete : TextState::kComplete, start);
    return failed ? LoadResult::kFailed : LoadResult::kComplete;
}

void Document::CancelLoad() {
    if (!load_) return;
    EndLoad(TextState::kIncomplete, EndOfText());
}

SourceProgress Document::LoadProgress() const { return load_ ? load_->source->Progress() : SourceProgress{}; }

void Document::StoreLoadedLine() {
    Line* line = load_->line.Finish();
    const LineIndex last = LineCount() - 1;
    if (load_->appendToExisting) {
        // Into an empty document (the usual case) the line moves as it is,
        // not copied: it may be the whole file.
        Line*& existing = lines_[last];
        if (existing->Length() == 0) {
            Line::Destroy(existing);
            existing = line;
        } else {
            existing = Line::Insert(existing, kEndOfText, line->Text(), line->Length());
            Line::Destroy(line);
        }
        load_->appendToExisting = false;
        ReclassifyLines(last, last);
        return;
    }
    lines_.Insert(last + 1, line);
    ReclassifyLines(last + 1, last + 1);
}

void Document::EndLoad(TextState state, DocPos start) {
    StoreLoadedLine();
    load_.reset();
    state_ = state;
    NotifyTextUpdate(start, start, EndOfText(), false);
}

DocPos Document::EndOfText() const {
    const LineIndex last = LineCount() - 1;
    return DocPos::At(last, LineLength(last));
}

bool Document::Save(TextSink& sink) {
    if (state_ != TextState::kComplete) return false;
    const LineIndex last = LineCount() - 1;
    for (LineIndex line = 0; line <= last; ++line) {
        if (last - line >= kLinePrefetchDistance) PrefetchForRead(lines_[line + kLinePrefetchDistance]);
        sink.WriteLine(lines_[line]->Text(), lines_[line]->Length(), line == last);
    }
    // A failed save leaves the document modified: its text is not on disk.
    if (!sink.Close()) return false;
    undo_.MarkSaved();
    return true;
}

}  // namespace pathbook
