// The blocks an input method asks the view for, built as bytes in the
// system's little-endian RECONVERTSTRING layout, so the window layer only
// copies them: eight 32-bit fields (dwSize, dwVersion, dwStrLen, dwStrOffset,
// dwCompStrLen, dwCompStrOffset, dwTargetStrLen, dwTargetStrOffset), then the
// UTF-16 string and a NUL. Lengths count units; the composition and target
// offsets are bytes from the string's start. Tested by ime_blocks_test.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pathbook {

constexpr std::uint32_t kReconvertHeaderBytes = 32;
// The most text a block holds: far more than an input method reconverts or
// reads around the caret, far less than its 32-bit sizes could count.
constexpr std::size_t kMaxImeBlockUnits = 4096;

// A block holding `text`, whose units [compFrom, compFrom + compLength) are
// both the composition and the target (clamped to the text). Empty (nothing
// to offer) for a text longer than kMaxImeBlockUnits: sizes are worked out in
// size_t and never wrap.
std::vector<std::uint8_t> ReconvertBlock(std::u16string_view text, std::size_t compFrom, std::size_t compLength);

// Copies `block` to `destination`, which the caller says holds
// `destinationBytes` bytes; false (nothing written) when it does not fit.
bool FillImeBlock(const std::vector<std::uint8_t>& block, void* destination, std::uint64_t destinationBytes);

}  // namespace pathbook
