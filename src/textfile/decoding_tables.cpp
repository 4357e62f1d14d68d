#include "textfile/decoding_tables.h"

#include <mutex>

#include "textfile/character_sets.h"
#include "textfile/code_page_characters.h"

namespace pathbook {
namespace {

struct Pool {
    std::mutex mutex;
    std::vector<std::unique_ptr<DecodingTables>> all;  // every set made, for the process's life
    std::vector<DecodingTables*> spare;               // those no thread holds
};

Pool& ThePool() {
    static Pool pool;
    return pool;
}

// Trivially destructible: nothing runs for it when a thread ends.
thread_local DecodingTables* threadTables = nullptr;

}  // namespace

DecodingTables::DecodingTables() = default;
DecodingTables::~DecodingTables() = default;

DecodingTables& ThreadDecodingTables() {
    if (threadTables != nullptr) return *threadTables;
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> lock(pool.mutex);
    if (pool.spare.empty()) {
        pool.all.push_back(std::make_unique<DecodingTables>());
        threadTables = pool.all.back().get();
    } else {
        threadTables = pool.spare.back();
        pool.spare.pop_back();
    }
    return *threadTables;
}

void ReleaseThreadDecodingTables() {
    if (threadTables == nullptr) return;
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> lock(pool.mutex);
    pool.spare.push_back(threadTables);
    threadTables = nullptr;
}

}  // namespace pathbook
