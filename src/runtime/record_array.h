// A growable array of fixed-size records whose first field is a 32-bit key
// (the encoding table, for one). Growth multiplies the capacity by four.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "runtime/heap.h"

namespace pathbook {

template <typename Record>
class RecordArray {
    static_assert(std::is_trivially_copyable_v<Record>, "records are copied as bytes");
    static_assert(sizeof(Record) >= sizeof(std::int32_t), "a record starts with a 32-bit key");

public:
    // `capacity` below 1 is taken as 1.
    explicit RecordArray(std::int32_t capacity)
        : capacity_(capacity < 1 ? 1 : capacity),
          records_(static_cast<Record*>(Heap::Allocate(sizeof(Record) * capacity_))) {}
    ~RecordArray() { Heap::Free(records_); }
    RecordArray(const RecordArray&) = delete;
    RecordArray& operator=(const RecordArray&) = delete;

    std::int32_t Count() const { return count_; }
    std::int32_t Capacity() const { return capacity_; }
    // `index` must be in [0, Count()).
    const Record& operator[](std::int32_t index) const { return records_[index]; }

    void PushBack(const Record& record) {
        if (count_ == capacity_) Grow();
        records_[count_++] = record;
    }

    // Index of the first record whose key (first 32-bit field) equals `key`, or -1.
    std::int32_t Find(std::int32_t key) const {
        for (std::int32_t i = 0; i < count_; ++i) {
            std::int32_t recordKey;
            std::memcpy(&recordKey, &records_[i], sizeof recordKey);
            if (recordKey == key) return i;
        }
        return -1;
    }

private:
    void Grow() {
        std::int32_t capacity = capacity_ * 4;
        auto* records = static_cast<Record*>(Heap::Allocate(sizeof(Record) * capacity));
        Heap::CopyBytes(records, records_, sizeof(Record) * count_);
        Heap::Free(records_);
        records_ = records;
        capacity_ = capacity;
    }

    std::int32_t capacity_;  // invariant: capacity_ >= 1 and count_ <= capacity_
    std::int32_t count_ = 0;
    Record* records_;
};

}  // namespace pathbook
