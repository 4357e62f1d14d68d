#include <windows.h>

#include "platform/program_folders.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

using win32::Utf16;

// What a call filling a MAX_PATH buffer gave: the count it returns is the
// length written, or (at least) MAX_PATH when the path did not fit.
std::u16string Filled(const wchar_t* buffer, DWORD count) {
    if (count == 0 || count >= MAX_PATH) return {};
    return std::u16string(Utf16(buffer), count);
}

}  // namespace

std::u16string ProgramFolderPath(ProgramFolder folder) {
    wchar_t buffer[MAX_PATH];
    switch (folder) {
    case ProgramFolder::kWindows:
        return Filled(buffer, GetWindowsDirectoryW(buffer, MAX_PATH));
    case ProgramFolder::kSystem:
        return Filled(buffer, GetSystemDirectoryW(buffer, MAX_PATH));
    case ProgramFolder::kTemporary:
        return Filled(buffer, GetTempPathW(MAX_PATH, buffer));
    case ProgramFolder::kCurrentDirectory:
        return Filled(buffer, GetCurrentDirectoryW(MAX_PATH, buffer));
    case ProgramFolder::kProgramFile:
        return Filled(buffer, GetModuleFileNameW(nullptr, buffer, MAX_PATH));
    }
    return {};
}

}  // namespace pathbook::platform
