// The part of StepwiseCopy that is the same on every system; reading the
// source is in posix/ and win32/.
#include "platform/stepwise_copy.h"

#include <algorithm>

namespace pathbook::platform {

bool StepwiseCopy::Step(std::size_t bytes) {
    if (source_ == kNoFile) return done_;
    while (bytes > 0) {
        std::int64_t got = ReadSome(buffer_.data(), std::min(bytes, buffer_.size()));
        if (got < 0) return false;
        if (got == 0) {
            done_ = true;
            CloseSource();
            return true;
        }
        if (!target_.Append(buffer_.data(), static_cast<std::size_t>(got))) return false;
        copied_ += static_cast<std::uint64_t>(got);
        bytes -= static_cast<std::size_t>(got);
    }
    return true;
}

bool StepwiseCopy::Finish() {
    CloseSource();
    bool synced = target_.Sync();
    target_.Close();
    return synced && done_;
}

void StepwiseCopy::Close() {
    CloseSource();
    target_.Close();
    copied_ = 0;
    done_ = false;
}

}  // namespace pathbook::platform
