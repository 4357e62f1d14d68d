// The entries of one folder, for walking a tree of notes: names with the size,
// last-write time and kind the file system lists them with, in one call per
// folder. Paths as in file_system.h: Windows form, drive Z: is the root in the
// POSIX build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pathbook::platform {

// When a file was last written: 100-ns ticks since 1601-01-01 UTC, as Windows
// counts and as file_stamp.h reports them.
using WriteTime = std::int64_t;

struct FolderEntry {
    std::u16string name;  // the name alone, never "." or ".."
    bool isFolder = false;
    // A symbolic link or other reparse point: a folder reached through one is
    // not walked into, so a link back up cannot make a walk endless.
    bool isLink = false;
    std::uint64_t size = 0;  // bytes; 0 for a folder
    WriteTime writeTime = 0;
};

// Lists `folder` in the order the system gives. False, with `entries` empty,
// when the folder cannot be read (missing, not a folder, no access).
bool ListFolder(const char16_t* folder, std::vector<FolderEntry>* entries);

// Makes the folder `path` and any missing folder above it; true when it exists afterwards.
bool MakeFolders(const char16_t* path);

}  // namespace pathbook::platform
