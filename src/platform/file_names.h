// What the file system says about a path: whether it exists (and if not, why),
// the name as stored on disk, and the short (8.3) form. Paths as in
// file_system.h: Windows form, drive Z: is the root in the POSIX build.
#pragma once

#include <string>

namespace pathbook::platform {

enum class PathState {
    kExists,       // GetFileAttributesW succeeded
    kNotFound,     // ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND
    kUnavailable,  // any other failure: no access, device not ready, bad name
};

PathState QueryPath(const char16_t* path);

// The file-name part of `path` as the file system stores it (FindFirstFileW's
// cFileName: case and long form on disk); empty when nothing is found.
std::u16string StoredFileName(const char16_t* path);

// GetShortPathNameW; empty when the system cannot give one.
std::u16string ShortPathName(const char16_t* path);

// GetFullPathNameW: a relative path taken from the folder the process started
// in, "." and ".." folded. Paths are made absolute before they are stored,
// compared or sent to other instances, so that "..\x.txt" and "C:\notes\x.txt"
// are one document. The path as given when the system cannot make it absolute.
std::u16string FullPathName(const char16_t* path);

// Whether the file opens for reading, as loading it will.
bool IsReadableFile(const char16_t* path);

}  // namespace pathbook::platform
