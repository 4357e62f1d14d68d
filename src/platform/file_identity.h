// What identifies the file at a path at one moment: whether it exists, its
// size, its last-write time and the file system's number for it. A program
// that changes the file changes its time or size; one that saves by writing a
// new file and renaming it over the old one also changes its number.
#pragma once

#include <cstdint>

namespace pathbook::platform {

struct FileIdentity {
    bool exists = false;  // the fields below are 0 when it does not
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;  // 100 ns ticks since 1601 (FILETIME), or ns since 1970 (POSIX)
    std::uint64_t fileId = 0;     // file index (GetFileInformationByHandle) or inode; 0 when unknown
    std::uint32_t volume = 0;     // volume serial number or device
};

// The identity of what is at `path` now (a folder too). The Windows build asks
// GetFileInformationByHandle on a handle that needs no access and shares
// everything, so a file another program holds open still answers; where even
// that fails, the attributes give size and time without the number.
FileIdentity ReadFileIdentity(const char16_t* path);

}  // namespace pathbook::platform
