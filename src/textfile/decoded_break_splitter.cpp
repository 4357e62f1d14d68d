#include "textfile/decoded_break_splitter.h"

#include <algorithm>
#include <cstring>

#include "runtime/unit_scan.h"
#include "textfile/text_reader.h"

namespace pathbook {

std::uint32_t DecodedBreakSplitter::Read(char16_t* buffer, std::uint32_t capacity) {
    if (decoder_ == nullptr) {
        state_ = ReadState::kFinished;
        return 0;
    }
    bool fromHeld = holding_;
    std::uint32_t count = 0;
    ReadState readState;
    if (fromHeld) {
        count = TakeHeld(buffer, capacity);
        holding_ = heldAt_ < held_.size();
        readState = holding_ ? ReadState::kBufferFull : heldState_;
    } else {
        count = decoder_->Read(buffer, capacity);
        readState = decoder_->State();
    }
    if (afterDecodedCr_ && count > 0 && buffer[0] == kLineFeed) {
        std::memmove(buffer, buffer + 1, (count - 1) * sizeof(char16_t));
        --count;
    }
    if (count > 0 || readState != ReadState::kBufferFull) afterDecodedCr_ = false;
    return SplitAtBreak(buffer, count, readState, fromHeld);
}

std::uint32_t DecodedBreakSplitter::TakeHeld(char16_t* buffer, std::uint32_t capacity) {
    std::size_t left = held_.size() - heldAt_;
    auto count = static_cast<std::uint32_t>(std::min<std::size_t>(left, capacity));
    std::copy_n(held_.data() + heldAt_, count, buffer);
    heldAt_ += count;
    return count;
}

std::uint32_t DecodedBreakSplitter::SplitAtBreak(char16_t* buffer, std::uint32_t count, ReadState readState,
                                                 bool fromHeld) {
    const char16_t* end = buffer + count;
    const bool mayHoldBreaks = fromHeld || decoder_->LastReadMayHoldBreaks();
    std::int32_t at = !mayHoldBreaks ? -1
                                     : search::FindUnitForward(buffer, 0, static_cast<std::int32_t>(count) - 1,
                                                               {kCarriageReturn, kLineFeed});
    if (at < 0) {
        state_ = readState;
        return count;
    }
    const char16_t* found = buffer + at;
    const char16_t* rest = found + 1;
    if (*found == kCarriageReturn) {
        if (rest == end) {
            afterDecodedCr_ = true;
        } else if (*rest == kLineFeed) {
            ++rest;
        }
    }
    std::u16string remaining(rest, end);
    if (fromHeld) {
        remaining.append(held_, heldAt_, std::u16string::npos);
    } else {
        heldState_ = readState;
    }
    held_ = std::move(remaining);
    heldAt_ = 0;
    // Nothing held inside a line: the decoder goes on, so no empty read looks
    // like a source that stopped making progress.
    holding_ = !held_.empty() || heldState_ != ReadState::kBufferFull;
    state_ = ReadState::kAtLineBreak;
    return static_cast<std::uint32_t>(at);
}

}  // namespace pathbook
