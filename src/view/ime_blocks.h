// The blocks an input method asks the view for, built as bytes in the
// system's little-endian RECONVERTSTRING layout, so the window layer only
// copies them: eight 32-bit fields (dwSize, dwVersion, dwStrLen, dwStrOffset,
// dwCompStrLen, dwCompStrOffset, dwTargetStrLen, dwTargetStrOffset), then the
// UTF-16 string and a NUL. Lengths count units; the composition and target
// offsets are bytes from the string's start. Tested by ime_blocks_test.cpp.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace pathbook {

constexpr std::uint32_t kReconvertHeaderBytes = 32;

// A block holding `text`, whose units [compFrom, compFrom + compLength) are
// both the composition and the target (clamped to the text).
std::vector<std::uint8_t> ReconvertBlock(std::u16string_view text, std::uint32_t compFrom,
                                         std::uint32_t compLength);

// Copies `block` to `destination`, which the caller says holds
// `destinationBytes` bytes; false (nothing written) when it does not fit.
bool FillImeBlock(const std::vector<std::uint8_t>& block, void* destination, std::uint64_t destinationBytes);

}  // namespace pathbook
