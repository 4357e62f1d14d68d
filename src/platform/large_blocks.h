// How the process heap treats large blocks. A load that grows a very long line
// frees ever larger blocks; they must go back to the system rather than stay in
// the process, or a load would hold the line several times over.
#pragma once

namespace pathbook::platform {

// From now on every large heap block (128 KiB and up here, about 512 KiB and
// up in Windows' heap) comes from the system on its own and goes back to it
// when freed. Called once at start-up.
void KeepLargeBlocksSeparate();

}  // namespace pathbook::platform
