// The row table against a plain vector of row counts, across chunk splits.
#include <gtest/gtest.h>

#include <random>

#include "view/row_table.h"

namespace pathbook {
namespace {

// Line i of `model` has model[i] rows, each 3 units long, and width 10 * i.
void Produce(const std::vector<UnitCount>& model, LineIndex line, LineRows& rows) {
    rows.width = line < model.size() ? model[line] * 7 : 0;
    for (UnitCount r = 1; r <= model[line]; ++r) rows.ends.push_back(3 * r);
}

void ExpectMatches(const RowTable& table, const std::vector<UnitCount>& model) {
    ASSERT_TRUE(table.CheckInvariants());
    ASSERT_EQ(table.LineCount(), model.size());
    RowIndex first = 0;
    for (LineIndex line = 0; line < model.size(); ++line) {
        ASSERT_EQ(table.RowCount(line), model[line]) << line;
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

TEST(RowTableTest, RowsAndWidthsBeyondThirtyTwoBits) {
    RowTable table;
    const Pixels wide = Pixels{1} << 40;
    table.Assign(2, [&](LineIndex line, LineRows& rows) {
        rows.width = line == 0 ? wide : 5;
        rows.ends.push_back(7);
    });
    EXPECT_EQ(table.Width(0), wide);
    EXPECT_EQ(table.Width(1), 5);
    EXPECT_EQ(table.RowCount(0), 1u);
    EXPECT_EQ(table.WidestLine(), wide);
    EXPECT_EQ(table.LineOfRow(RowIndex{1} << 40).line, 1u);
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
