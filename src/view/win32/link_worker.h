// Checks links' targets off the UI thread. One worker thread takes the
// requests from a queue in order and runs ResolveLinkRequest; each result
// waits in the worker under its job id, and the window hears of it from a
// posted message that carries only that id (wParam). No pointer travels: the
// window keeps the table of the jobs it started and takes a result only for an
// id in it, so a forged or stale message finds nothing. Stop (or the
// destructor) drops what is still queued and joins the thread, which first
// ends the check it is in (bounded by the probes' time-outs). Requests and
// results hold only std::u16string, so nothing reference-counted is shared
// with the UI thread.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "view/link_activation.h"

namespace pathbook {

using LinkJobId = std::uint32_t;  // never 0

class LinkWorker {
public:
    LinkWorker() = default;
    ~LinkWorker() { Stop(); }
    LinkWorker(const LinkWorker&) = delete;
    LinkWorker& operator=(const LinkWorker&) = delete;

    // Queues `request` under `id`; the thread starts with the first job and
    // tells `window` with `message` (wParam = id) when the job is done. False
    // when no thread could be started or the worker was stopped.
    bool Submit(HWND window, UINT message, LinkJobId id, const LinkRequest& request);
    // The result of job `id` once it is done, handed over once; false for an
    // id that is not done (or was never submitted).
    bool TakeResult(LinkJobId id, LinkResult* result);
    // Drops the queued jobs and the results not taken, and joins the thread.
    void Stop();

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<LinkJobId, LinkRequest>> queue_;  // guarded by mutex_
    std::map<LinkJobId, LinkResult> done_;                  // guarded by mutex_
    bool stopping_ = false;                                 // guarded by mutex_
    HWND window_ = nullptr;
    UINT message_ = 0;
    std::thread thread_;  // UI thread only: started by Submit, joined by Stop
};

}  // namespace pathbook
