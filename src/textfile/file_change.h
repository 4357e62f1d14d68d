// Whether the file a document was loaded from or last saved to has changed on
// the disk since: its identity then against its identity now.
// Tested by file_access_test.cpp.
#pragma once

#include "platform/file_identity.h"

namespace pathbook {

enum class FileChange {
    kUnchanged,
    kChanged,  // written to, or replaced by another file, or made anew after being gone
    kDeleted,  // it was there and is gone
};

// How the file now (`now`) differs from when `seen` was taken. A file that was
// missing then and is missing now is unchanged. A file whose number the system
// does not give (0) is compared by size and time alone.
FileChange ChangeSince(const platform::FileIdentity& seen, const platform::FileIdentity& now);

}  // namespace pathbook
