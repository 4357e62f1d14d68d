#include "textfile/file_change.h"

namespace pathbook {

FileChange ChangeSince(const platform::FileIdentity& seen, const platform::FileIdentity& now) {
    if (!now.exists) return seen.exists ? FileChange::kDeleted : FileChange::kUnchanged;
    if (!seen.exists) return FileChange::kChanged;
    bool sameFile = seen.fileId == 0 || now.fileId == 0 || (seen.fileId == now.fileId && seen.volume == now.volume);
    bool sameContent = seen.size == now.size && seen.lastWrite == now.lastWrite;
    return sameFile && sameContent ? FileChange::kUnchanged : FileChange::kChanged;
}

}  // namespace pathbook
