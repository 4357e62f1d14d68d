// A named block of memory shared between processes, backed by the paging file
// on Windows and by POSIX shared memory elsewhere. A new block is zero-filled.
// It lives while some process has it open: on POSIX, where the name outlives
// its users, a block that nobody has open is zeroed again by the next Open.
#pragma once

#include <cstdint>

namespace pathbook::platform {

class SharedMemory {
public:
    SharedMemory() = default;
    ~SharedMemory() { Close(); }
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    // Creates the block `name` of `size` bytes or opens the existing one;
    // *created tells which. False when neither works.
    bool Open(const char16_t* name, std::uint32_t size, bool* created);
    void Close();
    bool IsOpen() const { return handle_ != kNone; }
    std::uint32_t Size() const { return size_; }

    // Maps a view of the whole block, or returns null when the system refuses
    // (a block of the name that is smaller than Size() is refused too).
    std::uint8_t* Map(bool writable);
    void Unmap(std::uint8_t* view);

    // As NamedMutex::RemoveName.
    static void RemoveName(const char16_t* name);

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;  // mapping HANDLE or descriptor
    std::uint32_t size_ = 0;
};

}  // namespace pathbook::platform
