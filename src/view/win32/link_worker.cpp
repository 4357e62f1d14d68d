#include "view/win32/link_worker.h"

#include <chrono>
#include <system_error>

namespace pathbook {
namespace {

// A full message queue refuses a post for a moment; the answer is tried again.
constexpr auto kPostRetry = std::chrono::milliseconds(50);

}  // namespace

bool LinkWorker::Submit(HWND window, UINT message, LinkJobId id, const LinkRequest& request) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_) return false;
        queue_.emplace_back(id, request);
    }
    if (!thread_.joinable()) {
        window_ = window;
        message_ = message;
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.clear();
            return false;
        }
    }
    wake_.notify_one();
    return true;
}

bool LinkWorker::TakeResult(LinkJobId id, LinkResult* result) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = done_.find(id);
    if (found == done_.end()) return false;
    *result = std::move(found->second);
    done_.erase(found);
    return true;
}

void LinkWorker::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    done_.clear();
}

void LinkWorker::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        std::pair<LinkJobId, LinkRequest> job = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        LinkResult result = ResolveLinkRequest(job.second);
        lock.lock();
        if (stopping_) return;
        done_.emplace(job.first, std::move(result));
        // The window learns only the id; posting does not wait for it.
        while (!stopping_ && !PostMessageW(window_, message_, static_cast<WPARAM>(job.first), 0)) {
            if (!IsWindow(window_)) return;
            wake_.wait_for(lock, kPostRetry);
        }
    }
}

}  // namespace pathbook
