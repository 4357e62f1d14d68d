// Files by path. Paths are NUL-terminated UTF-16 in Windows form. In the POSIX
// build drive Z: is the root (as under Wine), so "Z:\tmp\a.txt" is /tmp/a.txt,
// and "\" and "/" both separate.
#pragma once

#include <cstdint>
#include <string>

namespace pathbook::platform {

// Attribute bits as Windows reports them.
constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeDirectory = 0x10;
constexpr std::uint32_t kAttributeNormal = 0x80;
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

// GetFileAttributesW: the bits, or kInvalidAttributes when the path does not exist.
std::uint32_t FileAttributes(const char16_t* path);

// True when `path` names an existing file that is not a folder.
inline bool IsExistingFile(const char16_t* path) {
    std::uint32_t attributes = FileAttributes(path);
    return attributes != kInvalidAttributes && (attributes & kAttributeDirectory) == 0;
}

bool RemoveFile(const char16_t* path);

// Renames the file `from` to `to` in one step, replacing a file already at
// `to`; false, with both left as they were, when the system refuses. For the
// program's own files: a user's document is saved through OutputFile.
bool MoveFileReplacing(const char16_t* from, const char16_t* to);

enum class ReadAccess {
    kMissing,     // nothing is there
    kReadable,    // a file that opens for reading now
    kUnreadable,  // something is there that does not open for reading: a file another
                  // program holds without read sharing, one without permission, a folder
};

// Opens `path` for reading (sharing everything) and closes it again, to tell a
// file that is missing from one that cannot be read at the moment.
ReadAccess ProbeReadAccess(const char16_t* path);

}  // namespace pathbook::platform
