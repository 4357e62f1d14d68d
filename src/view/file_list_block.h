// The shell's list of copied files (clipboard format CF_HDROP) as another
// program left it: a DROPFILES header of five 32-bit little-endian fields
// (pFiles, pt.x, pt.y, fNC, fWide), then from byte pFiles on the paths, each
// ended by a NUL and the list by one more; UTF-16 when fWide is set, else the
// ANSI code page. Nothing is read outside the block's size. Tested by
// clipboard_text_test.cpp; file_list_fuzz.cpp feeds it raw blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pathbook {

constexpr std::size_t kFileListHeaderBytes = 20;

// The paths, in order; none when the header does not fit, pFiles points
// outside the block or the list is not ended within it.
std::vector<std::u16string> ParseFileListBlock(const std::uint8_t* block, std::size_t bytes);

}  // namespace pathbook
