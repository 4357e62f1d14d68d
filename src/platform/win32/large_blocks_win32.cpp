#include "platform/large_blocks.h"

namespace pathbook::platform {

// The process heap already gives every block above about 512 KiB its own
// virtual memory and releases it when the block is freed.
void KeepLargeBlocksSeparate() {}

}  // namespace pathbook::platform
