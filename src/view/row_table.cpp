#include "view/row_table.h"

#include <system_error>
#include <thread>

namespace pathbook {

RowTable::RowTable() {
    Assign(1, [](LineIndex, LineRows& rows) { rows.ends.push_back(0); });
}

Pixels RowTable::WidthOf(const Chunk& chunk, std::size_t index) {
    const Entry& entry = chunk.entries[index];
    if (entry.width != kWideWidth) return entry.width;
    auto found = std::lower_bound(chunk.wide.begin(), chunk.wide.end(), index,
                                  [](const WideWidth& wide, std::size_t at) { return wide.index < at; });
    return found != chunk.wide.end() && found->index == index ? found->width : Pixels{kWideWidth};
}

UnitCount RowTable::Append(Chunk& chunk, const LineRows& rows) {
    const Pixels width = std::max<Pixels>(rows.width, 0);
    const auto index = static_cast<std::uint32_t>(chunk.entries.size());
    const bool wide = width >= kWideWidth;
    chunk.entries.push_back(Entry{wide ? kWideWidth : static_cast<std::uint32_t>(width),
                                  static_cast<std::uint32_t>(chunk.ends.size())});
    if (wide) chunk.wide.push_back(WideWidth{index, width});
    const std::size_t count = std::max<std::size_t>(rows.ends.size(), 1);
    chunk.ends.insert(chunk.ends.end(), rows.ends.begin(), rows.ends.begin() + static_cast<std::ptrdiff_t>(count - 1));
    return static_cast<UnitCount>(count);
}

void RowTable::Erase(Chunk& chunk, std::size_t index, std::size_t count) {
    if (count == 0) return;
    std::vector<Entry>& entries = chunk.entries;
    const std::size_t endsFrom = entries[index].endsAt;
    const std::size_t endsTo = index + count < entries.size() ? entries[index + count].endsAt : chunk.ends.size();
    totalRows_ -= count + (endsTo - endsFrom);
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index),
                  entries.begin() + static_cast<std::ptrdiff_t>(index + count));
    chunk.ends.erase(chunk.ends.begin() + static_cast<std::ptrdiff_t>(endsFrom),
                     chunk.ends.begin() + static_cast<std::ptrdiff_t>(endsTo));
    const auto endsRemoved = static_cast<std::uint32_t>(endsTo - endsFrom);
    for (std::size_t i = index; i < entries.size(); ++i) entries[i].endsAt -= endsRemoved;
    std::vector<WideWidth> kept;
    for (const WideWidth& wide : chunk.wide) {
        if (wide.index < index) kept.push_back(wide);
        if (wide.index >= index + count) {
            kept.push_back(WideWidth{static_cast<std::uint32_t>(wide.index - count), wide.width});
        }
    }
    chunk.wide = std::move(kept);
}

void RowTable::Insert(Chunk& chunk, std::size_t index, const Chunk& fresh) {
    std::vector<Entry>& entries = chunk.entries;
    index = std::min(index, entries.size());
    const std::size_t endsAt = index < entries.size() ? entries[index].endsAt : chunk.ends.size();
    const auto endsAdded = static_cast<std::uint32_t>(fresh.ends.size());
    const std::size_t added = fresh.entries.size();
    for (std::size_t i = index; i < entries.size(); ++i) entries[i].endsAt += endsAdded;
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(index), fresh.entries.begin(), fresh.entries.end());
    for (std::size_t i = index; i < index + added; ++i) entries[i].endsAt += static_cast<std::uint32_t>(endsAt);
    chunk.ends.insert(chunk.ends.begin() + static_cast<std::ptrdiff_t>(endsAt), fresh.ends.begin(), fresh.ends.end());
    for (WideWidth& wide : chunk.wide) {
        if (wide.index >= index) wide.index += static_cast<std::uint32_t>(added);
    }
    for (const WideWidth& wide : fresh.wide) {
        chunk.wide.push_back(WideWidth{static_cast<std::uint32_t>(wide.index + index), wide.width});
    }
    std::sort(chunk.wide.begin(), chunk.wide.end(),
              [](const WideWidth& a, const WideWidth& b) { return a.index < b.index; });
}

UnitCount RowTable::RowCount(LineIndex line) const {
    const Place place = Locate(line);
    return static_cast<UnitCount>(InteriorOf(chunks_[place.chunk], place.index) + 1);
}

Pixels RowTable::Width(LineIndex line) const {
    const Place place = Locate(line);
    return WidthOf(chunks_[place.chunk], place.index);
}

UnitCount RowTable::RowStart(LineIndex line, UnitCount row) const {
    const Place place = Locate(line);
    const Chunk& chunk = chunks_[place.chunk];
    row = std::min<UnitCount>(row, static_cast<UnitCount>(InteriorOf(chunk, place.index)));
    return row == 0 ? 0 : chunk.ends[chunk.entries[place.index].endsAt + row - 1];
}

UnitCount RowTable::RowEnd(LineIndex line, UnitCount row, UnitCount lineLength) const {
    const Place place = Locate(line);
    const Chunk& chunk = chunks_[place.chunk];
    return row >= InteriorOf(chunk, place.index) ? lineLength : chunk.ends[chunk.entries[place.index].endsAt + row];
}

UnitCount RowTable::RowOfColumn(LineIndex line, Column column) const {
    const Place place = Locate(line);
    const Chunk& chunk = chunks_[place.chunk];
    const UnitCount* ends = chunk.ends.data() + chunk.entries[place.index].endsAt;
    const std::size_t interior = InteriorOf(chunk, place.index);
    return static_cast<UnitCount>(std::lower_bound(ends, ends + interior, column) - ends);
}

RowIndex RowTable::FirstRow(LineIndex line) const {
    const Place place = Locate(line);
    const Chunk& chunk = chunks_[place.chunk];
    // Rows before the line in its chunk: one per line plus its kept ends.
    return firstRow_[place.chunk] + place.index + chunk.entries[place.index].endsAt;
}

RowAddress RowTable::LineOfRow(RowIndex row) const {
    RefreshPrefix();
    row = std::min(row, totalRows_ - 1);
    std::size_t c = static_cast<std::size_t>(std::upper_bound(firstRow_.begin(), firstRow_.end(), row) -
                                             firstRow_.begin()) - 1;
    const Chunk& chunk = chunks_[c];
    RowIndex first = firstRow_[c];
    for (std::size_t i = 0; i < chunk.entries.size(); ++i) {
        const RowIndex rows = InteriorOf(chunk, i) + 1;
        if (row - first < rows) {
            return RowAddress{firstLine_[c] + static_cast<LineIndex>(i), static_cast<UnitCount>(row - first)};
        }
        first += rows;
    }
    return RowAddress{lineCount_ - 1, RowCount(lineCount_ - 1) - 1};
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
    RowIndex row = validChunks_ == 0 ? 0 : firstRow_[validChunks_ - 1] + RowsOf(chunks_[validChunks_ - 1]);
    for (std::size_t c = validChunks_; c < chunks_.size(); ++c) {
        firstLine_[c] = line;
        firstRow_[c] = row;
        line += static_cast<LineIndex>(chunks_[c].entries.size());
        row += RowsOf(chunks_[c]);
    }
    validChunks_ = chunks_.size();
}

void RowTable::Assign(LineIndex count, const Producer& produce) {
    chunks_.clear();
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
        totalRows_ += Append(chunks_.back(), rows);
    }
    if (chunks_.empty()) chunks_.emplace_back();
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
        const std::size_t take = std::min<std::size_t>(left, chunks_[c].entries.size() - from);
        Erase(chunks_[c], from, take);
        left -= static_cast<LineIndex>(take);
        if (chunks_[c].entries.empty() && c != chunk) {
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(c));
        } else {
            ++c;
        }
        from = 0;
    }
    lineCount_ -= removed;
    // Insert the new lines where the removed ones were.
    Chunk fresh;
    fresh.entries.reserve(inserted);
    LineRows rows;
    for (LineIndex i = 0; i < inserted; ++i) {
        rows.width = 0;
        rows.ends.clear();
        produce(first + i, rows);
        Append(fresh, rows);
    }
    Insert(chunks_[chunk], index, fresh);
    totalRows_ += RowsOf(fresh);
    lineCount_ += inserted;
    if (chunks_[chunk].entries.empty() && chunks_.size() > 1) {
        chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk));
    } else {
        SplitIfLarge(chunk);
    }
}

void RowTable::Rewrap(Pixels wrapWidth, const Breaker& breakLine, Threads threads) {
    // Chunks share nothing, so the first half of them can be broken on a
    // second thread; it starts only where its half is worth more than
    // starting it, and when it cannot start this thread breaks both halves.
    const std::size_t half = threads == Threads::kTwo && lineCount_ >= kLinesForTwoThreads ? chunks_.size() / 2 : 0;
    RowIndex firstRows = 0;
    std::thread helper;
    if (half > 0) {
        try {
            helper = std::thread([&] { firstRows = RewrapChunks(0, half, 0, wrapWidth, breakLine); });
        } catch (const std::system_error&) {
            firstRows = RewrapChunks(0, half, 0, wrapWidth, breakLine);
        }
    }
    LineIndex secondLine = 0;
    for (std::size_t c = 0; c < half; ++c) secondLine += static_cast<LineIndex>(chunks_[c].entries.size());
    const RowIndex secondRows = RewrapChunks(half, chunks_.size(), secondLine, wrapWidth, breakLine);
    if (helper.joinable()) helper.join();
    totalRows_ = firstRows + secondRows;
    validChunks_ = 0;
}

RowIndex RowTable::RewrapChunks(std::size_t from, std::size_t to, LineIndex line, Pixels wrapWidth,
                                const Breaker& breakLine) {
    std::vector<UnitCount> ends;  // the chunk's new row ends
    RowIndex rows = 0;
    for (std::size_t c = from; c < to; ++c) {
        Chunk& chunk = chunks_[c];
        ends.clear();
        for (std::size_t i = 0; i < chunk.entries.size(); ++i, ++line) {
            const Pixels width = WidthOf(chunk, i);
            chunk.entries[i].endsAt = static_cast<std::uint32_t>(ends.size());
            if (width < wrapWidth) continue;
            breakLine(line, width, ends);
            ends.pop_back();  // the line's last row end is its length
        }
        // Copied rather than swapped: each chunk keeps memory for its own ends only.
        chunk.ends.assign(ends.begin(), ends.end());
        rows += RowsOf(chunk);
    }
    return rows;
}

void RowTable::SplitIfLarge(std::size_t chunk) {
    if (chunks_[chunk].entries.size() <= kChunkMax) return;
    const Chunk all = std::move(chunks_[chunk]);
    std::vector<Chunk> pieces;
    for (std::size_t from = 0; from < all.entries.size(); from += kChunkSplit) {
        const std::size_t to = std::min(all.entries.size(), from + kChunkSplit);
        Chunk piece;
        const std::uint32_t endsFrom = all.entries[from].endsAt;
        const std::size_t endsTo = to < all.entries.size() ? all.entries[to].endsAt : all.ends.size();
        for (std::size_t i = from; i < to; ++i) {
            piece.entries.push_back(Entry{all.entries[i].width, all.entries[i].endsAt - endsFrom});
        }
        piece.ends.assign(all.ends.begin() + endsFrom, all.ends.begin() + static_cast<std::ptrdiff_t>(endsTo));
        for (const WideWidth& wide : all.wide) {
            if (wide.index >= from && wide.index < to) {
                piece.wide.push_back(WideWidth{static_cast<std::uint32_t>(wide.index - from), wide.width});
            }
        }
        pieces.push_back(std::move(piece));
    }
    chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk));
    chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk), std::make_move_iterator(pieces.begin()),
                   std::make_move_iterator(pieces.end()));
}

Pixels RowTable::WidestLine() const {
    Pixels widest = 0;
    for (const Chunk& chunk : chunks_) {
        for (const Entry& entry : chunk.entries) {
            if (entry.width != kWideWidth) widest = std::max<Pixels>(widest, entry.width);
        }
        for (const WideWidth& wide : chunk.wide) widest = std::max(widest, wide.width);
    }
    return widest;
}

std::size_t RowTable::MemoryBytes() const {
    std::size_t bytes = sizeof *this + chunks_.capacity() * sizeof(Chunk) + firstLine_.capacity() * sizeof(LineIndex) +
                        firstRow_.capacity() * sizeof(RowIndex);
    for (const Chunk& chunk : chunks_) {
        bytes += chunk.entries.capacity() * sizeof(Entry) + chunk.ends.capacity() * sizeof(UnitCount) +
                 chunk.wide.capacity() * sizeof(WideWidth);
    }
    return bytes;
}

bool RowTable::CheckInvariants() const {
    if (chunks_.empty() || lineCount_ == 0) return false;
    LineIndex lines = 0;
    RowIndex rows = 0;
    for (const Chunk& chunk : chunks_) {
        if (chunk.entries.empty()) return false;
        for (std::size_t i = 0; i < chunk.entries.size(); ++i) {
            const std::uint32_t at = chunk.entries[i].endsAt;
            const std::size_t next = i + 1 < chunk.entries.size() ? chunk.entries[i + 1].endsAt : chunk.ends.size();
            if (at > next || (i == 0 && at != 0)) return false;
            for (std::size_t k = at + 1; k < next; ++k) {
                if (chunk.ends[k] <= chunk.ends[k - 1]) return false;
            }
            if (chunk.entries[i].width == kWideWidth && WidthOf(chunk, i) < kWideWidth) return false;
        }
        lines += static_cast<LineIndex>(chunk.entries.size());
        rows += RowsOf(chunk);
    }
    return lines == lineCount_ && rows == totalRows_;
}

}  // namespace pathbook
