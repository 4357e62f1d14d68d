// The notebook a window works with: its index, built and kept fresh on a
// thread of its own, so the window never waits for it. Requests queue up and
// return at once; the thread takes them in turn (a new notebook first, then a
// recheck, then the notes the program saved) and tells the listener when a
// new index is in place. A folder watch on a second thread asks for a recheck
// whenever something in the tree changes. Queries run on the index Current()
// hands out, which stays whole however long they take.
//
// The index is cached (index_cache.h): a notebook opened again starts from
// the cache and reads only what changed since. The cache is written after a
// build or recheck that changed something; a note the program saved since
// differs from the cache by its write time, so it is read again next time.
// Tested by tests/unit/notebook/notebook_test.cpp.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "notebook/notebook_index.h"
#include "platform/folder_watch.h"
#include "platform/local_data.h"

namespace pathbook {

// Both are called on the notebook's own thread: a window passes them on to
// its UI thread (a posted message), and must not call back into the
// Notebook from them.
class NotebookListener {
public:
    virtual ~NotebookListener() = default;
    // While a notebook is read: `done` of its `total` notes, about a hundred times in all.
    virtual void OnIndexProgress(std::uint32_t done, std::uint32_t total) {
        static_cast<void>(done);
        static_cast<void>(total);
    }
    // Current() now returns a new index.
    virtual void OnIndexChanged() {}
};

struct NotebookProgress {
    bool busy = false;       // a request is being worked on or waits
    std::uint32_t done = 0;  // notes read of the build under way
    std::uint32_t total = 0;
};

struct NotebookOptions {
    bool watchFolders = true;  // false: changes are picked up by Recheck alone
    // The folder of the index cache; empty: no cache.
    std::u16string cacheFolder = platform::LocalDataFolder();
};

class Notebook {
public:
    // `listener` (may be null) must outlive the notebook.
    explicit Notebook(NotebookListener* listener = nullptr, NotebookOptions options = {});
    ~Notebook();
    Notebook(const Notebook&) = delete;
    Notebook& operator=(const Notebook&) = delete;

    // Reads the notebook under `root` (a full folder path) with the TxtFilter
    // patterns `filter`, in place of the one before: Current() is empty until
    // it is read, and work under way stops. The notebook already open (same
    // root and filter) is only rechecked.
    void Open(std::u16string_view root, std::u16string_view filter);
    // Forgets the notebook: Current() is the empty index from now on.
    void Close();
    // The program saved the note at `path`: read it again, whatever its time says.
    void NoteSaved(std::u16string_view path);
    // Reads again what changed on disk by size or write time (the window was activated).
    void Recheck();
    // Stops the build under way; the index before it stays.
    void Cancel();

    // The index as it is now; never null.
    IndexPointer Current() const;
    NotebookProgress Progress() const;
    // Blocks until nothing is queued or under way, at most `milliseconds`;
    // false when that time ran out. For tests and tools.
    bool WaitUntilIdle(std::uint32_t milliseconds);

private:
    struct Requests {
        bool open = false;     // read root_ / filter_ from scratch
        bool recheck = false;
        std::vector<std::u16string> saved;
        bool Empty() const { return !open && !recheck && saved.empty(); }
    };

    void Run();
    void Work(Requests requests, const std::u16string& root, const std::u16string& filter);
    void Build(const std::u16string& root, const std::u16string& filter, bool fromScratch);
    // Makes `index` current unless the notebook at `root` is no longer the open one.
    void Publish(IndexPointer index, const std::u16string& root);
    void StartWatch(const std::u16string& root);
    void StopWatch();

    NotebookListener* listener_;
    const NotebookOptions options_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;  // a request came in, or the thread is to end
    std::condition_variable idle_;  // the thread finished what it had
    Requests requests_;
    std::u16string root_;    // NotebookRoot form; empty: no notebook
    std::u16string filter_;
    IndexPointer current_;   // never null
    IndexWork* work_ = nullptr;  // the build under way, for Cancel
    bool working_ = false;
    bool ending_ = false;
    std::uint32_t done_ = 0;
    std::uint32_t total_ = 0;

    std::unique_ptr<platform::FolderWatch> watch_;  // owned by the UI thread's calls
    std::thread watchThread_;
    std::thread thread_;  // last: starts once everything above is made
};

}  // namespace pathbook
