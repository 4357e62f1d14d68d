// The display rows of every line: the line's unwrapped width and where its rows
// end. Tested by row_table_test.cpp and, against fresh layouts, by
// layout_random_test.cpp and the layout fuzzer.
//
// A line of one row costs 8 bytes and no heap block of its own: a 32-bit width
// and a 32-bit slot. Lines of several rows (or wider than 32 bits of pixels)
// keep their row ends in one shared arena, reached through the slot. Lines are
// held in chunks of at most kChunkMax entries with a row sum per chunk, so
// finding the line that holds an absolute row (thumb drag, Ctrl+End) costs a
// binary search over chunks plus a walk inside one chunk, never a walk over
// the document.
#pragma once

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
    // The widest line, over all lines.
    Pixels WidestLine() const;
    // Every line's width, in order.
    std::vector<Pixels> Widths() const;

    // Bytes held by the table, for the memory benchmark.
    std::size_t MemoryBytes() const;
    bool CheckInvariants() const;

private:
    static constexpr std::uint32_t kWideWidth = 0xFFFFFFFF;  // the exact width is in the slot
    static constexpr std::size_t kChunkMax = 2048;
    static constexpr std::size_t kChunkSplit = 1024;

    struct Entry {
        std::uint32_t width;  // kWideWidth: see the slot
        std::uint32_t slot;   // 0: one row; else rows_[slot - 1]
    };
    struct Wrapped {
        Pixels width;
        std::uint64_t offset;  // of the first interior row end in arena_
        UnitCount interior;    // row ends before the last; the line has interior + 1 rows
    };
    struct Chunk {
        std::vector<Entry> entries;  // invariant: non-empty unless the table is empty mid-Replace
        RowIndex rows = 0;           // invariant: the sum of the entries' rows
    };
    struct Place {
        std::size_t chunk;
        std::size_t index;
    };

    Entry Store(const LineRows& rows);
    void Release(Entry entry);
    UnitCount RowsOf(Entry entry) const { return entry.slot == 0 ? 1 : rows_[entry.slot - 1].interior + 1; }
    const UnitCount* InteriorEnds(Entry entry) const { return arena_.data() + rows_[entry.slot - 1].offset; }
    const Entry& At(LineIndex line) const;
    Place Locate(LineIndex line) const;
    void RefreshPrefix() const;
    void Invalidate(std::size_t chunk) { validChunks_ = std::min(validChunks_, chunk); }
    void SplitIfLarge(std::size_t chunk);
    void CompactArena();

    std::vector<Chunk> chunks_;  // never empty
    std::vector<Wrapped> rows_;  // slots of wrapped or wide lines
    std::vector<std::uint32_t> freeSlots_;
    std::vector<UnitCount> arena_;  // interior row ends of wrapped lines
    std::uint64_t garbage_ = 0;     // arena units no slot uses
    LineIndex lineCount_ = 0;
    RowIndex totalRows_ = 0;
    // Per chunk: its first line and first row; valid for the first validChunks_ chunks.
    mutable std::vector<LineIndex> firstLine_;
    mutable std::vector<RowIndex> firstRow_;
    mutable std::size_t validChunks_ = 0;
};

}  // namespace pathbook
