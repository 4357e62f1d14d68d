// Loading and saving a Document through a text source and sink.
#include "document/document.h"
#include "document/line_builder.h"
#include "runtime/prefetch.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kReadChunk = 1024;

}  // namespace

// A line is collected whole before it is stored and classified, so a line of
// any length costs time linear in its length (classifying a growing line after
// every chunk would be quadratic), and its text is classified while it is still
// in the cache.
void Document::Load(std::unique_ptr<TextSource> source) {
    LineIndex current = LineCount() - 1;
    bool appendToExisting = true;  // the first line read continues the document's last line
    LineArena arena;
    LineBuilder pending(arena);  // the current line read so far
    auto storeLine = [&]() {
        Line* line = pending.Finish();
        if (appendToExisting) {
            // Into an empty document (the usual case) the line moves as it is,
            // not copied: it may be the whole file.
            Line*& existing = lines_[current];
            if (existing->Length() == 0) {
                Line::Destroy(existing);
                existing = line;
            } else {
                existing = Line::Insert(existing, kEndOfText, line->Text(), line->Length());
                Line::Destroy(line);
            }
            appendToExisting = false;
        } else {
            lines_.Insert(current, line);
        }
        ReclassifyLines(current, current);
    };
    while (source->State() != ReadState::kFinished) {
        std::uint32_t count = source->Read(pending.Reserve(kReadChunk), kReadChunk);
        pending.Commit(count);
        ReadState state = source->State();
        if (state == ReadState::kAtLineBreak) {
            storeLine();
            ++current;
        } else if (state == ReadState::kBufferFull && count == 0) {
            break;  // a source that stops making progress ends the text
        }
    }
    storeLine();
    source.reset();
    NotifyTextUpdate(DocPos::At(0, 0), DocPos::At(0, 0), DocPos::At(current, LineLength(current)), false);
}

bool Document::Save(TextSink& sink) {
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
