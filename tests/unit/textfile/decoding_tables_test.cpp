// Each decoding thread's tables: its own while it holds them, handed on to
// the next thread once given back, and threads that decode end cleanly.
#include "textfile/decoding_tables.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <vector>

#include "textfile/character_sets.h"

namespace pathbook {
namespace {

// 亜, JIS X 0208 row 16 cell 1, through the tables of the calling thread.
char16_t DecodeA() { return DoubleByteUnits::Of(CharacterSet::kJisX0208).Plain(0x30, 0x21); }

TEST(DecodingTablesTest, ASetGivenBackIsTheNextThreadsAndTwoThreadsHoldTwo) {
    DecodingTables* first = nullptr;
    DecodingTables* second = nullptr;
    std::thread([&] {
        first = &ThreadDecodingTables();
        EXPECT_EQ(&ThreadDecodingTables(), first);
        ReleaseThreadDecodingTables();
    }).join();
    std::thread([&] {
        second = &ThreadDecodingTables();
        ReleaseThreadDecodingTables();
    }).join();
    EXPECT_EQ(second, first);

    std::promise<DecodingTables*> held;
    std::promise<void> done;
    std::thread holder([&] {
        held.set_value(&ThreadDecodingTables());
        done.get_future().wait();
        ReleaseThreadDecodingTables();
    });
    DecodingTables* other = held.get_future().get();
    std::thread([&] {
        EXPECT_NE(&ThreadDecodingTables(), other);
        ReleaseThreadDecodingTables();
    }).join();
    done.set_value();
    holder.join();
}

TEST(DecodingTablesTest, ThreadsThatDecodeEndWhetherOrNotTheyGiveTheirSetBack) {
    std::vector<std::thread> threads;
    std::vector<char16_t> decoded(8);
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        threads.emplace_back([&decoded, i] {
            decoded[i] = DecodeA();
            if (i % 2 == 0) ReleaseThreadDecodingTables();
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (char16_t unit : decoded) EXPECT_EQ(unit, u'\u4e9c');
    EXPECT_EQ(DecodeA(), u'\u4e9c');
}

}  // namespace
}  // namespace pathbook
