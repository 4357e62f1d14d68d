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

// Puts the file `replacement` in the place of `target`. An existing target keeps
// its attributes; when the move fails, `target` is left as it was.
bool ReplaceFileWith(const char16_t* target, const char16_t* replacement);

}  // namespace pathbook::platform
