// Running the same work over many items on a few threads: the thread that
// asks takes part, each thread takes the next item not yet taken, and the
// call returns when every item is done. Items are taken in order, so the
// first ones are done first.
// Tested by tests/unit/notebook/notebook_index_test.cpp.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

namespace pathbook {

// The threads worth using: the processors the system reports, 1 to 4.
unsigned WorkerThreads();

// Calls work(item, slot) for each item in [0, count), slot in [0, threads)
// naming the thread (one slot is never used by two threads at once). Once
// `cancel` (may be null) is true, items not yet taken are skipped.
void ParallelFor(std::size_t count, unsigned threads, const std::function<void(std::size_t item, unsigned slot)>& work,
                 const std::atomic<bool>* cancel = nullptr);

}  // namespace pathbook
