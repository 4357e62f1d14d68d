// Waits for another instance are bounded: a mutex kept by a hung instance
// costs the others one short wait and a word to the user, not a frozen window.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "config/history_lock.h"
#include "platform/guarded_block.h"
#include "support/unique_name.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kShortWait = 50;

struct CountingListener : platform::BusyListener {
    void OnOtherInstanceBusy() override { ++heard; }
    int heard = 0;
};

// The mutex held by a thread of its own (a mutex its own thread holds would
// let that thread in again), as a hung instance would hold it.
class HeldElsewhere {
public:
    explicit HeldElsewhere(const std::u16string& name) {
        holder_ = std::thread([this, name] {
            platform::NamedMutex mutex;
            std::unique_lock<std::mutex> lock(state_);
            held_ = mutex.Open(name.c_str()) && mutex.Acquire(platform::kInstanceWaitMilliseconds);
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
        });
        std::unique_lock<std::mutex> lock(state_);
        changed_.wait(lock, [this] { return held_.has_value(); });
    }
    ~HeldElsewhere() {
        {
            std::lock_guard<std::mutex> lock(state_);
            released_ = true;
        }
        changed_.notify_all();
        holder_.join();
    }
    bool Held() const { return held_.value_or(false); }

private:
    std::mutex state_;
    std::condition_variable changed_;
    std::optional<bool> held_;
    bool released_ = false;
    std::thread holder_;
};

TEST(InstanceWaitTest, AHistoryLockKeptElsewhereIsReportedAndTheWorkGoesOn) {
    test::NameCleanup name(test::UniqueName("HistoryWait"));
    CountingListener busy;
    {
        HistoryLock free(String(name.Name()), &busy, kShortWait);
        EXPECT_TRUE(free.Held());
    }
    HeldElsewhere other(name.Name());
    ASSERT_TRUE(other.Held());
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
        HeldElsewhere other(mutex.Name());
        ASSERT_TRUE(other.Held());
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
