#include "notebook/parallel_for.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "textfile/decoding_tables.h"

namespace pathbook {

unsigned WorkerThreads() { return std::clamp(std::thread::hardware_concurrency(), 1u, 4u); }

void ParallelFor(std::size_t count, unsigned threads, const std::function<void(std::size_t item, unsigned slot)>& work,
                 const std::atomic<bool>* cancel) {
    if (count == 0) return;
    std::atomic<std::size_t> next{0};
    auto run = [&](unsigned slot) {
        for (std::size_t item = next++; item < count; item = next++) {
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return;
            work(item, slot);
        }
    };
    const unsigned helpers = static_cast<unsigned>(std::min<std::size_t>(std::max(threads, 1u), count)) - 1;
    std::vector<std::thread> others;
    // A helper's tables go back to the pool before it ends, for the next helpers.
    for (unsigned slot = 1; slot <= helpers; ++slot) {
        others.emplace_back([&run, slot] {
            run(slot);
            ReleaseThreadDecodingTables();
        });
    }
    run(0);
    for (std::thread& thread : others) thread.join();
}

}  // namespace pathbook
