#include "view/row_table.h"

#include <algorithm>

namespace pathbook {

RowTable::RowTable() {
    Assign(1, [](LineIndex, LineRows& rows) { rows.ends.push_back(0); });
}

RowTable::Entry RowTable::Store(const LineRows& rows) {
    const Pixels width = std::max<Pixels>(rows.width, 0);
    const bool wide = width >= kWideWidth;
    const std::size_t count = std::max<std::size_t>(rows.ends.size(), 1);
    if (count == 1 && !wide) return Entry{static_cast<std::uint32_t>(width), 0};
    Wrapped wrapped{width, arena_.size(), static_cast<UnitCount>(count - 1)};
    arena_.insert(arena_.end(), rows.ends.begin(), rows.ends.begin() + static_cast<std::ptrdiff_t>(count - 1));
    std::uint32_t slot;
    if (freeSlots_.empty()) {
        rows_.push_back(wrapped);
        slot = static_cast<std::uint32_t>(rows_.size());
    } else {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
        rows_[slot - 1] = wrapped;
    }
    return Entry{wide ? kWideWidth : static_cast<std::uint32_t>(width), slot};
}

void RowTable::Release(Entry entry) {
    if (entry.slot == 0) return;
    garbage_ += rows_[entry.slot - 1].interior;
    rows_[entry.slot - 1].interior = 0;
    freeSlots_.push_back(entry.slot);
}

UnitCount RowTable::RowCount(LineIndex line) const { return RowsOf(At(line)); }

Pixels RowTable::Width(LineIndex line) const {
    const Entry& entry = At(line);
    return entry.width == kWideWidth ? rows_[entry.slot - 1].width : entry.width;
}

UnitCount RowTable::RowStart(LineIndex line, UnitCount row) const {
    const Entry& entry = At(line);
    row = std::min(row, RowsOf(entry) - 1);
    return row == 0 ? 0 : InteriorEnds(entry)[row - 1];
}

UnitCount RowTable::RowEnd(LineIndex line, UnitCount row, UnitCount lineLength) const {
    const Entry& entry = At(line);
    const UnitCount rows = RowsOf(entry);
    return row + 1 >= rows ? lineLength : InteriorEnds(entry)[row];
}

UnitCount RowTable::RowOfColumn(LineIndex line, Column column) const {
    const Entry& entry = At(line);
    if (entry.slot == 0) return 0;
    const UnitCount* ends = InteriorEnds(entry);
    const UnitCount interior = rows_[entry.slot - 1].interior;
    return static_cast<UnitCount>(std::lower_bound(ends, ends + interior, column) - ends);
}

RowIndex RowTable::FirstRow(LineIndex line) const {
    Place place = Locate(line);
    RowIndex row = firstRow_[place.chunk];
    const std::vector<Entry>& entries = chunks_[place.chunk].entries;
    for (std::size_t i = 0; i < place.index; ++i) row += RowsOf(entries[i]);
    return row;
}

RowAddress RowTable::LineOfRow(RowIndex row) const {
    RefreshPrefix();
    row = std::min(row, totalRows_ - 1);
    std::size_t chunk = static_cast<std::size_t>(std::upper_bound(firstRow_.begin(), firstRow_.end(), row) -
                                                 firstRow_.begin()) - 1;
    RowIndex first = firstRow_[chunk];
    LineIndex line = firstLine_[chunk];
    for (const Entry& entry : chunks_[chunk].entries) {
        const UnitCount rows = RowsOf(entry);
        if (row - first < rows) return RowAddress{line, static_cast<UnitCount>(row - first)};
        first += rows;
        ++line;
    }
    return RowAddress{lineCount_ - 1, RowCount(lineCount_ - 1) - 1};
}

const RowTable::Entry& RowTable::At(LineIndex line) const {
    Place place = Locate(line);
    return chunks_[place.chunk].entries[place.index];
}

RowTable::Place RowTable::Locate(LineIndex line) const {
    RefreshPrefix();
    std::size_t chunk = static_cast<std::size_t>(std::upper_bound(firstLine_.begin(), firstLine_.end(), line) -
                                                 firstLine_.begin()) - 1;
    return Place{chunk, line - firstLine_[chunk]};
}

void RowTable::RefreshPrefix() const {
    if (validChunks_ == chunks_.size()) return;
    firstLine_.resize(chunks_.size());
    firstRow_.resize(chunks_.size());
    LineIndex line = validChunks_ == 0 ? 0 : firstLine_[validChunks_ - 1] + static_cast<LineIndex>(chunks_[validChunks_ - 1].entries.size());
    RowIndex row = validChunks_ == 0 ? 0 : firstRow_[validChunks_ - 1] + chunks_[validChunks_ - 1].rows;
    for (std::size_t c = validChunks_; c < chunks_.size(); ++c) {
        firstLine_[c] = line;
        firstRow_[c] = row;
        line += static_cast<LineIndex>(chunks_[c].entries.size());
        row += chunks_[c].rows;
    }
    validChunks_ = chunks_.size();
}

void RowTable::Assign(LineIndex count, const Producer& produce) {
    chunks_.clear();
    rows_.clear();
    freeSlots_.clear();
    arena_.clear();
    garbage_ = 0;
    totalRows_ = 0;
    lineCount_ = count;
    validChunks_ = 0;
    LineRows rows;
    for (LineIndex line = 0; line < count; ++line) {
        if (line % kChunkMax == 0) {
            chunks_.emplace_back();
            chunks_.back().entries.reserve(std::min<std::size_t>(kChunkMax, count - line));
        }
        rows.width = 0;
        rows.ends.clear();
        produce(line, rows);
        Entry entry = Store(rows);
        chunks_.back().entries.push_back(entry);
        chunks_.back().rows += RowsOf(entry);
    }
    if (chunks_.empty()) chunks_.emplace_back();
    for (const Chunk& chunk : chunks_) totalRows_ += chunk.rows;
}

void RowTable::Replace(LineIndex first, LineIndex removed, LineIndex inserted, const Producer& produce) {
    first = std::min(first, lineCount_);
    removed = std::min(removed, lineCount_ - first);
    std::size_t chunk = chunks_.size() - 1;
    std::size_t index = chunks_[chunk].entries.size();
    if (first < lineCount_) {
        Place place = Locate(first);
        chunk = place.chunk;
        index = place.index;
    }
    Invalidate(chunk);
    // Remove, chunk by chunk; emptied chunks other than the one at `chunk` go.
    LineIndex left = removed;
    std::size_t c = chunk;
    std::size_t from = index;
    while (left > 0) {
        std::vector<Entry>& entries = chunks_[c].entries;
        std::size_t take = std::min<std::size_t>(left, entries.size() - from);
        for (std::size_t i = from; i < from + take; ++i) {
            chunks_[c].rows -= RowsOf(entries[i]);
            totalRows_ -= RowsOf(entries[i]);
            Release(entries[i]);
        }
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(from),
                      entries.begin() + static_cast<std::ptrdiff_t>(from + take));
        left -= static_cast<LineIndex>(take);
        if (entries.empty() && c != chunk) {
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(c));
        } else {
            ++c;
        }
        from = 0;
    }
    lineCount_ -= removed;
    // Insert the new lines where the removed ones were.
    std::vector<Entry> fresh;
    fresh.reserve(inserted);
    LineRows rows;
    RowIndex freshRows = 0;
    for (LineIndex i = 0; i < inserted; ++i) {
        rows.width = 0;
        rows.ends.clear();
        produce(first + i, rows);
        fresh.push_back(Store(rows));
        freshRows += RowsOf(fresh.back());
    }
    std::vector<Entry>& target = chunks_[chunk].entries;
    target.insert(target.begin() + static_cast<std::ptrdiff_t>(std::min(index, target.size())), fresh.begin(),
                  fresh.end());
    chunks_[chunk].rows += freshRows;
    totalRows_ += freshRows;
    lineCount_ += inserted;
    if (chunks_[chunk].entries.empty() && chunks_.size() > 1) {
        chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk));
    } else {
        SplitIfLarge(chunk);
    }
    if (garbage_ > 4096 && garbage_ > arena_.size() / 2) CompactArena();
}

void RowTable::SplitIfLarge(std::size_t chunk) {
    if (chunks_[chunk].entries.size() <= kChunkMax) return;
    std::vector<Entry> all = std::move(chunks_[chunk].entries);
    std::vector<Chunk> pieces;
    for (std::size_t from = 0; from < all.size(); from += kChunkSplit) {
        Chunk piece;
        std::size_t to = std::min(all.size(), from + kChunkSplit);
        piece.entries.assign(all.begin() + static_cast<std::ptrdiff_t>(from), all.begin() + static_cast<std::ptrdiff_t>(to));
        for (const Entry& entry : piece.entries) piece.rows += RowsOf(entry);
        pieces.push_back(std::move(piece));
    }
    chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk));
    chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk), std::make_move_iterator(pieces.begin()),
                   std::make_move_iterator(pieces.end()));
}

void RowTable::CompactArena() {
    std::vector<UnitCount> packed;
    packed.reserve(arena_.size() - garbage_);
    for (Wrapped& wrapped : rows_) {
        std::uint64_t offset = packed.size();
        packed.insert(packed.end(), arena_.begin() + static_cast<std::ptrdiff_t>(wrapped.offset),
                      arena_.begin() + static_cast<std::ptrdiff_t>(wrapped.offset + wrapped.interior));
        wrapped.offset = offset;
    }
    arena_ = std::move(packed);
    garbage_ = 0;
}

Pixels RowTable::WidestLine() const {
    Pixels widest = 0;
    for (const Chunk& chunk : chunks_) {
        for (const Entry& entry : chunk.entries) {
            widest = std::max<Pixels>(widest, entry.width == kWideWidth ? rows_[entry.slot - 1].width : entry.width);
        }
    }
    return widest;
}

std::vector<Pixels> RowTable::Widths() const {
    std::vector<Pixels> widths;
    widths.reserve(lineCount_);
    for (const Chunk& chunk : chunks_) {
        for (const Entry& entry : chunk.entries) {
            widths.push_back(entry.width == kWideWidth ? rows_[entry.slot - 1].width : entry.width);
        }
    }
    return widths;
}

std::size_t RowTable::MemoryBytes() const {
    std::size_t bytes = sizeof *this + chunks_.capacity() * sizeof(Chunk) + rows_.capacity() * sizeof(Wrapped) +
                        freeSlots_.capacity() * sizeof(std::uint32_t) + arena_.capacity() * sizeof(UnitCount) +
                        firstLine_.capacity() * sizeof(LineIndex) + firstRow_.capacity() * sizeof(RowIndex);
    for (const Chunk& chunk : chunks_) bytes += chunk.entries.capacity() * sizeof(Entry);
    return bytes;
}

bool RowTable::CheckInvariants() const {
    if (chunks_.empty() || lineCount_ == 0) return false;
    LineIndex lines = 0;
    RowIndex rows = 0;
    for (const Chunk& chunk : chunks_) {
        if (chunk.entries.empty()) return false;
        RowIndex chunkRows = 0;
        for (const Entry& entry : chunk.entries) {
            if (entry.slot > rows_.size()) return false;
            if (entry.width == kWideWidth && entry.slot == 0) return false;
            if (entry.slot != 0) {
                const Wrapped& wrapped = rows_[entry.slot - 1];
                if (wrapped.offset + wrapped.interior > arena_.size()) return false;
                const UnitCount* ends = InteriorEnds(entry);
                for (UnitCount i = 1; i < wrapped.interior; ++i) {
                    if (ends[i] <= ends[i - 1]) return false;
                }
            }
            chunkRows += RowsOf(entry);
        }
        if (chunkRows != chunk.rows) return false;
        lines += static_cast<LineIndex>(chunk.entries.size());
        rows += chunkRows;
    }
    return lines == lineCount_ && rows == totalRows_;
}

}  // namespace pathbook
