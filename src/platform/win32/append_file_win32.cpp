#include <windows.h>

#include "platform/append_file.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

// Readers (a mapping of the file) may open it meanwhile.
HANDLE OpenForWriting(const char16_t* path, DWORD disposition) {
    return CreateFileW(win32::Wide(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool AppendFile::Create(const char16_t* path) {
    Close();
    HANDLE file = OpenForWriting(path, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) return false;
    file_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

bool AppendFile::OpenAt(const char16_t* path, std::uint64_t size) {
    Close();
    HANDLE file = OpenForWriting(path, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length;
    bool placed = GetFileSizeEx(file, &length) != FALSE;
    if (placed && static_cast<std::uint64_t>(length.QuadPart) > size) {
        LARGE_INTEGER cut;
        cut.QuadPart = static_cast<LONGLONG>(size);
        placed = SetFilePointerEx(file, cut, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    }
    LARGE_INTEGER none;
    none.QuadPart = 0;
    if (!placed || !SetFilePointerEx(file, none, nullptr, FILE_END)) {
        CloseHandle(file);
        return false;
    }
    file_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

bool AppendFile::Append(const void* bytes, std::size_t count) {
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

bool AppendFile::Sync() { return IsOpen() && FlushFileBuffers(reinterpret_cast<HANDLE>(file_)) != FALSE; }

void AppendFile::Close() {
    if (!IsOpen()) return;
    CloseHandle(reinterpret_cast<HANDLE>(file_));
    file_ = kNoFile;
}

}  // namespace pathbook::platform
