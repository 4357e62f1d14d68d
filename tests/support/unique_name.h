// Names for kernel objects that no other test run (or running program) uses.
#pragma once

#include <chrono>
#include <random>
#include <string>

#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "runtime/utf8.h"

namespace pathbook::test {

inline std::u16string UniqueName(const std::string& stem) {
    static std::mt19937_64 random(static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count()));
    return Utf8ToUtf16(stem + "_test_" + std::to_string(random() % 1000000000000ULL));
}

// Removes the names when the test ends (where names outlive their users).
class NameCleanup {
public:
    explicit NameCleanup(std::u16string name) : name_(std::move(name)) {}
    ~NameCleanup() {
        platform::NamedMutex::RemoveName(name_.c_str());
        platform::SharedMemory::RemoveName(name_.c_str());
    }
    NameCleanup(const NameCleanup&) = delete;
    NameCleanup& operator=(const NameCleanup&) = delete;
    const std::u16string& Name() const { return name_; }
    const char16_t* Chars() const { return name_.c_str(); }

private:
    std::u16string name_;
};

}  // namespace pathbook::test
