// The display rows of every line: the line's unwrapped width and where its rows
// end. Tested by row_table_test.cpp and, against fresh layouts, by
// layout_random_test.cpp and the layout fuzzer.
//
// Lines are held in chunks of at most kChunkMax entries with a row sum per
// chunk, so finding the line that holds an absolute row (thumb drag, Ctrl+End)
// costs a binary search over chunks plus a walk inside one chunk, never a walk
// over the document. A line costs 8 bytes (a 32-bit width and where its row
// ends start in its chunk's list of row ends) plus 4 bytes per row after its
// first; widths of 32 bits and more are kept apart. Breaking every line again
// (a resize) rewrites each chunk's row ends in place, without fresh memory;
// in a large table a second thread takes the first half of the chunks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "document/doc_pos.h"
#include "view/metrics.h"

namespace pathbook {

using RowIndex = std::uint64_t;  // a display row over the whole document

// One line's layout as built: its width and the end offset of each row, the
// last equal to the line's length (an empty line: one row ending at 0).
struct LineRows {
    Pixels width = 0;
    std::vector<UnitCount> ends;
};

// A row named by its line and its index within the line.
struct RowAddress {
    LineIndex line = 0;
    UnitCount row = 0;
};

class RowTable {
public:
    using Producer = std::function<void(LineIndex line, LineRows& rows)>;
    // Appends the end offset of each row of `line`, whose width is `width`:
    // at least one, the last equal to the line's length.
    using Breaker = std::function<void(LineIndex line, Pixels width, std::vector<UnitCount>& ends)>;

    // One empty line.
    RowTable();

    LineIndex LineCount() const { return lineCount_; }
    RowIndex TotalRows() const { return totalRows_; }

    // `line` must be < LineCount() in all of these.
    UnitCount RowCount(LineIndex line) const;
    Pixels Width(LineIndex line) const;
    // Start offset of `row` (clamped to the line's last row); 0 for row 0.
    UnitCount RowStart(LineIndex line, UnitCount row) const;
    // End offset of `row` (clamped); `lineLength` for the last row.
    UnitCount RowEnd(LineIndex line, UnitCount row, UnitCount lineLength) const;
    // The first row whose end is at or after `column`: a column at a wrap
    // point belongs to the upper row.
    UnitCount RowOfColumn(LineIndex line, Column column) const;
    // Absolute index of the line's first row.
    RowIndex FirstRow(LineIndex line) const;
    // The line and row of an absolute row, clamped to the last row.
    RowAddress LineOfRow(RowIndex row) const;

    // Replaces the whole table by `count` lines (at least 1) built by `produce`.
    void Assign(LineIndex count, const Producer& produce);
    // Replaces `removed` lines from `first` by `inserted` lines built by
    // `produce` (called with indexes first..first+inserted-1). The table must
    // keep at least one line.
    void Replace(LineIndex first, LineIndex removed, LineIndex inserted, const Producer& produce);
    // Breaks every line again for a new wrap width, keeping the widths: a
    // line narrower than `wrapWidth` gets one row, the others the rows
    // `breakLine` gives. With Threads::kTwo, a table of at least
    // kLinesForTwoThreads lines breaks the first half of its chunks on a
    // thread of its own, so `breakLine` must then be safe to call from two
    // threads at once (never for the same line).
    enum class Threads : std::uint8_t { kOne, kTwo };
    static constexpr LineIndex kLinesForTwoThreads = 1 << 16;
    void Rewrap(Pixels wrapWidth, const Breaker& breakLine, Threads threads = Threads::kOne);
    // The widest line, over all lines.
    Pixels WidestLine() const;

    // Bytes held by the table, for the memory benchmark.
    std::size_t MemoryBytes() const;
    bool CheckInvariants() const;

private:
    static constexpr std::uint32_t kWideWidth = 0xFFFFFFFF;  // the exact width is in the chunk's wide list
    static constexpr std::size_t kChunkMax = 2048;
    static constexpr std::size_t kChunkSplit = 1024;

    struct Entry {
        std::uint32_t width;   // kWideWidth: see Chunk::wide
        std::uint32_t endsAt;  // the line's first row end in Chunk::ends; the line's last row end is not kept
    };
    struct WideWidth {
        std::uint32_t index;  // of the entry in its chunk
        Pixels width;
    };
    struct Chunk {
        std::vector<Entry> entries;   // invariant: non-empty unless the table is empty mid-Replace
        std::vector<UnitCount> ends;  // the lines' row ends but their last, in line order
        std::vector<WideWidth> wide;  // by index
    };
    struct Place {
        std::size_t chunk;
        std::size_t index;
    };

    // Row ends kept for entry `index` of `chunk`: one per row but the last.
    static std::size_t InteriorOf(const Chunk& chunk, std::size_t index) {
        const std::size_t next = index + 1 < chunk.entries.size() ? chunk.entries[index + 1].endsAt : chunk.ends.size();
        return next - chunk.entries[index].endsAt;
    }
    // One row per line and one per kept end.
    static RowIndex RowsOf(const Chunk& chunk) { return chunk.entries.size() + chunk.ends.size(); }
    static Pixels WidthOf(const Chunk& chunk, std::size_t index);
    // Appends the line `rows` to `chunk`; returns its row count.
    static UnitCount Append(Chunk& chunk, const LineRows& rows);
    // Takes `count` entries from `index` out of `chunk`, with their ends and widths.
    void Erase(Chunk& chunk, std::size_t index, std::size_t count);
    // Puts the lines of `fresh` (a chunk of its own) into `chunk` at `index`.
    static void Insert(Chunk& chunk, std::size_t index, const Chunk& fresh);
    // Rewrap of chunks [from, to), whose first line is `line`; returns their rows.
    RowIndex RewrapChunks(std::size_t from, std::size_t to, LineIndex line, Pixels wrapWidth,
                          const Breaker& breakLine);
    Place Locate(LineIndex line) const;
    void RefreshPrefix() const;
    void Invalidate(std::size_t chunk) { validChunks_ = std::min(validChunks_, chunk); }
    void SplitIfLarge(std::size_t chunk);

    std::vector<Chunk> chunks_;  // never empty
    LineIndex lineCount_ = 0;
    RowIndex totalRows_ = 0;
    // Per chunk: its first line and first row; valid for the first validChunks_ chunks.
    mutable std::vector<LineIndex> firstLine_;
    mutable std::vector<RowIndex> firstRow_;
    mutable std::size_t validChunks_ = 0;
};

}  // namespace pathbook
