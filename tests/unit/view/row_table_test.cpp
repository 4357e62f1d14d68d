// The row table against a plain vector of row counts, across chunk splits.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>

#include "view/row_table.h"

namespace pathbook {
namespace {

// Line i of `model` has model[i] rows, each 3 units long; lines of five rows
// are wider than 32 bits of pixels.
Pixels WidthOf(UnitCount rows) { return rows == 5 ? (Pixels{1} << 35) + rows : rows * 7; }

void Produce(const std::vector<UnitCount>& model, LineIndex line, LineRows& rows) {
    rows.width = WidthOf(model[line]);
    for (UnitCount r = 1; r <= model[line]; ++r) rows.ends.push_back(3 * r);
}

void ExpectMatches(const RowTable& table, const std::vector<UnitCount>& model) {
    ASSERT_TRUE(table.CheckInvariants());
    ASSERT_EQ(table.LineCount(), model.size());
    RowIndex first = 0;
    for (LineIndex line = 0; line < model.size(); ++line) {
        ASSERT_EQ(table.RowCount(line), model[line]) << line;
        ASSERT_EQ(table.Width(line), WidthOf(model[line])) << line;
        ASSERT_EQ(table.FirstRow(line), first) << line;
        RowAddress last = table.LineOfRow(first + model[line] - 1);
        ASSERT_EQ(last.line, line);
        ASSERT_EQ(last.row, model[line] - 1);
        first += model[line];
    }
    ASSERT_EQ(table.TotalRows(), first);
}

TEST(RowTableTest, RandomSplicesMatchAVector) {
    std::mt19937 random(12);
    std::vector<UnitCount> model(5000, 1);
    RowTable table;
    table.Assign(5000, [&](LineIndex line, LineRows& rows) { Produce(model, line, rows); });
    for (int step = 0; step < 300; ++step) {
        LineIndex first = static_cast<LineIndex>(random() % model.size());
        LineIndex removed = static_cast<LineIndex>(std::min<std::size_t>(random() % 3000, model.size() - first));
        LineIndex inserted = static_cast<LineIndex>(random() % 3000);
        if (removed == model.size() && inserted == 0) inserted = 1;
        std::vector<UnitCount> fresh;
        for (LineIndex i = 0; i < inserted; ++i) fresh.push_back(random() % 4 == 0 ? 1 + random() % 5 : 1);
        model.erase(model.begin() + first, model.begin() + first + removed);
        model.insert(model.begin() + first, fresh.begin(), fresh.end());
        table.Replace(first, removed, inserted, [&](LineIndex line, LineRows& rows) { Produce(model, line, rows); });
        if (step % 30 == 0) ExpectMatches(table, model);
    }
    ExpectMatches(table, model);
}

// Breaking again for a new wrap width keeps every width, those beyond 32 bits
// included, and gives the rows a fresh table of the same lines would have;
// lines below the width get one. A large table breaks part of its lines on a
// second thread when asked to; a small one never starts a thread.
TEST(RowTableTest, RewrapKeepsWidthsAndTakesNewRows) {
    const struct {
        LineIndex lines;
        RowTable::Threads threads;
        bool helped;  // some lines broken on a thread other than the caller's
    } cases[] = {
        {5000, RowTable::Threads::kOne, false},
        {5000, RowTable::Threads::kTwo, false},
        {RowTable::kLinesForTwoThreads + 4321, RowTable::Threads::kTwo, true},
    };
    const Pixels wide = Pixels{1} << 40;
    auto widthOf = [&](LineIndex line) { return line == 4321 ? wide : Pixels{line % 50}; };
    // Rows of 3 units, a line of width w having w / 10 + 1 rows at wrap width 10.
    auto rowsAt = [&](LineIndex line, Pixels wrap, std::vector<UnitCount>& ends) {
        const Pixels width = widthOf(line);
        const Pixels rows = width < wrap ? 1 : std::min<Pixels>(width / wrap + 1, 9);
        for (Pixels r = 1; r <= rows; ++r) ends.push_back(static_cast<UnitCount>(3 * r));
    };
    for (const auto& c : cases) {
        auto fresh = [&](Pixels wrap) {
            RowTable table;
            table.Assign(c.lines, [&](LineIndex line, LineRows& rows) {
                rows.width = widthOf(line);
                rowsAt(line, wrap, rows.ends);
            });
            return table;
        };
        RowTable table = fresh(1000);
        for (Pixels wrap : {10, 3, 1000, 25}) {
            // Each line is broken by one thread, which alone writes its slots.
            std::vector<std::thread::id> breakers(c.lines);
            std::vector<char> wrongWidth(c.lines, 0);
            table.Rewrap(
                wrap,
                [&](LineIndex line, Pixels width, std::vector<UnitCount>& ends) {
                    breakers[line] = std::this_thread::get_id();
                    wrongWidth[line] = width != widthOf(line);
                    rowsAt(line, wrap, ends);
                },
                c.threads);
            const RowTable expected = fresh(wrap);
            ASSERT_TRUE(table.CheckInvariants()) << c.lines;
            ASSERT_EQ(table.TotalRows(), expected.TotalRows()) << c.lines;
            for (LineIndex line = 0; line < c.lines; ++line) {
                ASSERT_EQ(wrongWidth[line], 0) << line;
                ASSERT_EQ(table.Width(line), widthOf(line));
                ASSERT_EQ(table.RowCount(line), expected.RowCount(line)) << line;
                ASSERT_EQ(table.FirstRow(line), expected.FirstRow(line)) << line;
                ASSERT_EQ(table.RowStart(line, 1), expected.RowStart(line, 1)) << line;
            }
            const std::thread::id caller = std::this_thread::get_id();
            const bool helped = std::any_of(breakers.begin(), breakers.end(), [&](std::thread::id id) {
                return id != std::thread::id() && id != caller;
            });
            EXPECT_EQ(helped, c.helped) << c.lines;
            EXPECT_EQ(table.WidestLine(), wide);
            EXPECT_EQ(table.LineOfRow(RowIndex{1} << 40).line, c.lines - 1) << "a row past the end is in the last line";
        }
    }
}

TEST(RowTableTest, OneRowLinesCostEightBytes) {
    RowTable table;
    table.Assign(1000000, [](LineIndex, LineRows& rows) {
        rows.width = 80;
        rows.ends.push_back(10);
    });
    EXPECT_LE(table.MemoryBytes(), 1000000u * 8 + 65536);
}

}  // namespace
}  // namespace pathbook
