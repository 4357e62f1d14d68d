#include "runtime/record_array.h"

#include <gtest/gtest.h>

namespace pathbook {
namespace {

struct Row {
    std::int32_t key;
    std::int32_t payload;
};

TEST(RecordArrayTest, KeepsRecordsWhenItGrowsAndFindsTheFirstKey) {
    RecordArray<Row> rows(2);
    rows.PushBack({1, 10});
    rows.PushBack({2, 20});
    rows.PushBack({3, 30});
    EXPECT_EQ(rows.Count(), 3);
    EXPECT_EQ(rows[0].payload, 10);
    EXPECT_EQ(rows[2].payload, 30);
    // Find returns the first record with the key, from an empty array on.
    RecordArray<Row> keyed(0);
    EXPECT_EQ(keyed.Find(5), -1);
    for (std::int32_t i = 0; i < 40; ++i) keyed.PushBack({i % 7, i});
    EXPECT_EQ(keyed.Find(3), 3);
    EXPECT_EQ(keyed[keyed.Find(6)].payload, 6);
    EXPECT_EQ(keyed.Find(7), -1);
}

}  // namespace
}  // namespace pathbook
