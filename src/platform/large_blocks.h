// Large blocks of memory. A load that grows a very long line frees ever larger
// blocks; they must go back to the system rather than stay in the process, or
// a load would hold the line several times over. A load also fills large
// blocks of its own straight away.
#pragma once

#include <cstddef>

namespace pathbook::platform {

// From now on every large heap block (128 KiB and up here, about 512 KiB and
// up in Windows' heap) comes from the system on its own and goes back to it
// when freed. Called once at start-up.
void KeepLargeBlocksSeparate();

// `bytes` (a multiple of 64 KiB) of zeroed memory straight from the system,
// with all its pages put in place at once where the system can do that: the
// caller is about to fill the whole block, and taking a fault on each page as
// it is first touched costs more. A multiple of 2 MiB may be backed by large
// pages. Null when the system refuses.
void* AllocateResidentBlock(std::size_t bytes);
// Gives back a block from AllocateResidentBlock with the same size.
void FreeResidentBlock(void* block, std::size_t bytes);

}  // namespace pathbook::platform
