#include "platform/large_blocks.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pathbook::platform {

// glibc serves large blocks from their own mappings, but raises that size
// limit whenever such a block is freed, so that later large blocks come from
// the heap and stay in the process after they are freed. A fixed limit keeps
// the first behaviour.
void KeepLargeBlocksSeparate() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

}  // namespace pathbook::platform
