#include "notebook/notebook.h"

#include <chrono>

#include "notebook/index_cache.h"
#include "notebook/link_target.h"
#include "textfile/decoding_tables.h"

namespace pathbook {
namespace {

// Progress is told about this many times per build.
constexpr std::uint32_t kProgressSteps = 100;

}  // namespace

Notebook::Notebook(NotebookListener* listener, NotebookOptions options)
    : listener_(listener), options_(std::move(options)), current_(std::make_shared<NotebookIndex>()),
      thread_([this] {
          Run();
          ReleaseThreadDecodingTables();
      }) {}

Notebook::~Notebook() {
    StopWatch();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
        if (work_ != nullptr) work_->cancel = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Notebook::Open(std::u16string_view root, std::u16string_view filter) {
    const std::u16string folder = NotebookRoot(root);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!root_.empty() && PathKey(folder) == PathKey(root_) && filter == filter_) {
            requests_.recheck = true;
            wake_.notify_all();
            return;
        }
    }
    StopWatch();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        root_ = folder;
        filter_.assign(filter);
        requests_ = Requests();
        requests_.open = true;
        if (work_ != nullptr) work_->cancel = true;
        current_ = std::make_shared<NotebookIndex>();
    }
    wake_.notify_all();
    if (options_.watchFolders) StartWatch(folder);
}

void Notebook::Close() {
    StopWatch();
    std::lock_guard<std::mutex> lock(mutex_);
    root_.clear();
    filter_.clear();
    requests_ = Requests();
    if (work_ != nullptr) work_->cancel = true;
    current_ = std::make_shared<NotebookIndex>();
}

void Notebook::NoteSaved(std::u16string_view path) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (root_.empty()) return;
        requests_.saved.emplace_back(path);
    }
    wake_.notify_all();
}

void Notebook::Recheck() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (root_.empty()) return;
        requests_.recheck = true;
    }
    wake_.notify_all();
}

void Notebook::Cancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.open = requests_.recheck = false;
    if (work_ != nullptr) work_->cancel = true;
}

IndexPointer Notebook::Current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return current_;
}

NotebookProgress Notebook::Progress() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return {working_ || !requests_.Empty(), done_, total_};
}

bool Notebook::WaitUntilIdle(std::uint32_t milliseconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    return idle_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                          [this] { return !working_ && requests_.Empty(); });
}

void Notebook::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return ending_ || !requests_.Empty(); });
        if (ending_) return;
        Requests requests = std::move(requests_);
        requests_ = Requests();
        const std::u16string root = root_;
        const std::u16string filter = filter_;
        working_ = true;
        lock.unlock();
        Work(std::move(requests), root, filter);
        lock.lock();
        working_ = false;
        if (requests_.Empty()) idle_.notify_all();
    }
}

// A new notebook starts from the cache; a recheck shares what did not change;
// a saved note is read again whatever its time says (a save can keep the time
// it had).
void Notebook::Work(Requests requests, const std::u16string& root, const std::u16string& filter) {
    if (requests.open || requests.recheck) Build(root, filter, requests.open);
    for (const std::u16string& path : requests.saved) {
        IndexPointer before = Current();
        if (PathKey(before->Root()) != PathKey(root)) break;
        IndexPointer after = UpdateIndex(before, path);
        if (after != before) Publish(std::move(after), root);
    }
}

void Notebook::Build(const std::u16string& root, const std::u16string& filter, bool fromScratch) {
    IndexWork work;
    work.onProgress = [this](std::uint32_t done, std::uint32_t total) {
        const std::uint32_t step = total / kProgressSteps + 1;
        if (done % step != 0 && done != total) return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = done;
            total_ = total;
        }
        if (listener_ != nullptr) listener_->OnIndexProgress(done, total);
    };
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (ending_ || root != root_) return;
        work_ = &work;
        done_ = total_ = 0;
    }
    const IndexPointer previous = fromScratch ? nullptr : Current();
    const std::u16string cachePath = IndexCachePath(options_.cacheFolder, root, filter);
    IndexPointer index = BuildCachedIndex(root, filter, previous, cachePath, work);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        work_ = nullptr;
    }
    if (index == nullptr && fromScratch && !work.cancel) index = std::make_shared<NotebookIndex>();
    if (index == nullptr || (previous != nullptr && index->Entries() == previous->Entries())) return;
    Publish(std::move(index), root);
}

void Notebook::Publish(IndexPointer index, const std::u16string& root) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (root != root_) return;  // another notebook was opened (or this one closed) meanwhile
        current_ = std::move(index);
    }
    if (listener_ != nullptr) listener_->OnIndexChanged();
}

// The watch walks the tree as it starts: that is the watching thread's work.
// What changed while it started is found by one recheck once it watches.
void Notebook::StartWatch(const std::u16string& root) {
    watch_ = std::make_unique<platform::FolderWatch>();
    watchThread_ = std::thread([this, root] {
        if (!watch_->Start(root.c_str())) return;
        Recheck();
        while (watch_->Wait(platform::kWaitForever) == platform::WatchEvent::kChanged) Recheck();
    });
}

void Notebook::StopWatch() {
    if (!watch_) return;
    watch_->Stop();
    if (watchThread_.joinable()) watchThread_.join();
    watch_.reset();
}

}  // namespace pathbook
