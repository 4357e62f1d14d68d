// A named mutex held by another thread, as another instance would hold it,
// until the object is destroyed.
#pragma once

#include <future>
#include <string>
#include <thread>

#include "platform/named_mutex.h"

namespace pathbook::test {

class HeldMutex {
public:
    explicit HeldMutex(const std::u16string& name)
        : holder_([this, name] {
              platform::NamedMutex mutex;
              held_.set_value(mutex.Open(name.c_str()) && mutex.Acquire(60000));
              release_.get_future().wait();
          }) {
        holding_ = held_.get_future().get();
    }
    ~HeldMutex() {
        release_.set_value();
        holder_.join();
    }
    HeldMutex(const HeldMutex&) = delete;
    HeldMutex& operator=(const HeldMutex&) = delete;

    bool Holding() const { return holding_; }

private:
    std::promise<bool> held_;
    std::promise<void> release_;
    std::thread holder_;
    bool holding_ = false;
};

}  // namespace pathbook::test
