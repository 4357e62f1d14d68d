// Waits for another instance are bounded: a mutex kept by a hung instance
// costs the others one short wait and a word to the user, not a frozen window.
#include <gtest/gtest.h>

#include "config/history_lock.h"
#include "platform/guarded_block.h"
#include "support/held_mutex.h"
#include "support/unique_name.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kShortWait = 50;

struct CountingListener : platform::BusyListener {
    void OnOtherInstanceBusy() override { ++heard; }
    int heard = 0;
};

TEST(InstanceWaitTest, AHistoryLockKeptElsewhereIsReportedAndTheWorkGoesOn) {
    test::NameCleanup name(test::UniqueName("HistoryWait"));
    CountingListener busy;
    {
        HistoryLock free(String(name.Name()), &busy, kShortWait);
        EXPECT_TRUE(free.Held());
    }
    test::HeldMutex other(name.Name());
    ASSERT_TRUE(other.Holding());
    HistoryLock lock(String(name.Name()), &busy, kShortWait);
    EXPECT_FALSE(lock.Held());
    EXPECT_EQ(busy.heard, 1);
}

TEST(InstanceWaitTest, ASharedBlockKeptElsewhereIsNotTouched) {
    test::NameCleanup block(test::UniqueName("WaitBlock"));
    test::NameCleanup mutex(test::UniqueName("WaitBlockSem"));
    CountingListener busy;
    platform::GuardedBlock guarded;
    bool created = false;
    ASSERT_TRUE(guarded.Open(block.Chars(), mutex.Chars(), 16, &created, &busy, kShortWait));
    EXPECT_TRUE(guarded.Use(true, [](std::uint8_t* bytes) { return bytes[0] = 7, true; }));
    {
        test::HeldMutex other(mutex.Name());
        ASSERT_TRUE(other.Holding());
        bool ran = false;
        EXPECT_FALSE(guarded.Use(true, [&](std::uint8_t*) { return ran = true; }));
        EXPECT_FALSE(ran);
        EXPECT_EQ(busy.heard, 1);
    }
    EXPECT_TRUE(guarded.Use(false, [](std::uint8_t* bytes) { return bytes[0] == 7; }));
    EXPECT_EQ(busy.heard, 1);
}

}  // namespace
}  // namespace pathbook
