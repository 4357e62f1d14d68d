#include "platform/file_types.h"

namespace pathbook::platform {

bool SystemCallsTypeUnsafe(std::u16string_view) { return false; }

}  // namespace pathbook::platform
