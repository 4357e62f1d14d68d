// Bytes being encoded: a block that grows by doubling, is never shrunk and is
// reused line after line, so that a save allocates only while its longest
// line grows. Reserved room is not cleared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace pathbook {

class ByteBuffer {
public:
    void Clear() { size_ = 0; }
    // Room for `count` more bytes after the last one; valid until the next Reserve.
    std::uint8_t* Reserve(std::size_t count) {
        if (count > capacity_ - size_) Grow(size_ + count);
        return bytes_.get() + size_;
    }
    // `count` bytes of the reserved room now hold bytes (at most what was reserved).
    void Commit(std::size_t count) { size_ += count; }
    void Append(const void* bytes, std::size_t count) {
        if (count == 0) return;
        std::memcpy(Reserve(count), bytes, count);
        size_ += count;
    }
    void Push(std::uint8_t byte) {
        *Reserve(1) = byte;
        ++size_;
    }

    const std::uint8_t* Data() const { return bytes_.get(); }
    std::size_t Size() const { return size_; }

private:
    void Grow(std::size_t needed) {
        std::size_t capacity = capacity_ < 256 ? 256 : capacity_;
        while (capacity < needed) capacity *= 2;
        std::unique_ptr<std::uint8_t[]> grown(new std::uint8_t[capacity]);
        if (size_ > 0) std::memcpy(grown.get(), bytes_.get(), size_);
        bytes_ = std::move(grown);
        capacity_ = capacity;
    }

    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;  // invariant: size_ <= capacity_
};

}  // namespace pathbook
