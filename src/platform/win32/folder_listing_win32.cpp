#include <windows.h>

#include "platform/folder_listing.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

using win32::Utf16;
using win32::Wide;

WriteTime WriteTimeOf(const FILETIME& time) {
    return static_cast<WriteTime>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

std::uint64_t SizeOf(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

bool IsDotName(const wchar_t* name) { return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)); }

std::u16string WithSeparator(const char16_t* folder) {
    std::u16string path(folder);
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path += u'\\';
    return path;
}

}  // namespace

bool ListFolder(const char16_t* folder, std::vector<FolderEntry>* entries) {
    entries->clear();
    if (*folder == 0) return false;
    std::u16string pattern = WithSeparator(folder) + u"*";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(Wide(pattern.c_str()), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        if (IsDotName(found.cFileName)) continue;
        FolderEntry entry;
        entry.name = Utf16(found.cFileName);
        entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.size = entry.isFolder ? 0 : SizeOf(found.nFileSizeHigh, found.nFileSizeLow);
        entry.writeTime = WriteTimeOf(found.ftLastWriteTime);
        entries->push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

bool MakeFolders(const char16_t* path) {
    std::u16string full(path);
    if (full.empty()) return false;
    // Each prefix that ends before a separator, past a drive or UNC root.
    for (std::size_t at = 0; at <= full.size(); ++at) {
        if (at < full.size() && full[at] != u'\\' && full[at] != u'/') continue;
        std::u16string step = full.substr(0, at);
        if (step.empty() || step.back() == u':' || step.find_first_not_of(u"\\/") == std::u16string::npos) continue;
        CreateDirectoryW(Wide(step.c_str()), nullptr);
    }
    DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace pathbook::platform
