#include "view/win32/link_worker.h"

#include <system_error>
#include <thread>

namespace pathbook {

bool StartLinkJob(HWND window, UINT message, const LinkRequest& request) {
    auto job = std::make_unique<LinkJob>();
    job->request = request;
    try {
        std::thread([window, message, job = std::move(job)]() mutable {
            job->result = ResolveLinkRequest(job->request);
            // A window gone by now drops the message; the job is freed here then.
            if (PostMessageW(window, message, 0, reinterpret_cast<LPARAM>(job.get()))) job.release();
        }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

std::unique_ptr<LinkJob> TakeLinkJob(LPARAM lParam) { return std::unique_ptr<LinkJob>(reinterpret_cast<LinkJob*>(lParam)); }

}  // namespace pathbook
