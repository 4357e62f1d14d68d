#include <windows.h>

#include "platform/output_file.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

bool OutputFile::CreateBeside(const char16_t* neighbour) {
    Close();
    std::u16string folder(neighbour);
    std::size_t separator = folder.find_last_of(u"\\/");
    folder = separator == std::u16string::npos ? std::u16string(u".") : folder.substr(0, separator + 1);
    wchar_t name[MAX_PATH];
    // GetTempFileNameW creates the file, so the name is ours.
    if (folder.size() >= MAX_PATH - 14 || GetTempFileNameW(win32::Wide(folder.c_str()), L"pbk", 0, name) == 0) {
        return false;
    }
    HANDLE file = CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileW(name);
        return false;
    }
    file_ = reinterpret_cast<std::intptr_t>(file);
    path_ = win32::Utf16(name);
    return true;
}

bool OutputFile::Write(const void* bytes, std::size_t count) {
    if (!IsOpen()) return false;
    const auto* at = static_cast<const char*>(bytes);
    while (count > 0) {
        DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
        DWORD written = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(file_), at, chunk, &written, nullptr) || written != chunk) {
            return false;
        }
        at += written;
        count -= written;
    }
    return true;
}

bool OutputFile::Close() {
    if (!IsOpen()) return true;
    HANDLE file = reinterpret_cast<HANDLE>(file_);
    file_ = kNoFile;
    bool flushed = FlushFileBuffers(file) != FALSE;
    bool closed = CloseHandle(file) != FALSE;
    return flushed && closed;
}

}  // namespace pathbook::platform
