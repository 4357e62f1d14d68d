#include <windows.h>

#include <string>

#include "platform/process.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {

using win32::Wide;

bool StartProcess(std::u16string_view program, std::u16string_view commandLine, std::u16string_view folder,
                  WindowPosition position) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (position.given) {
        startup.dwFlags |= STARTF_USEPOSITION;
        startup.dwX = static_cast<DWORD>(position.x);
        startup.dwY = static_cast<DWORD>(position.y);
    }
    const std::u16string programText(program);
    const std::u16string folderText(folder);
    // CreateProcessW may write into the command line, so it gets a private buffer.
    std::u16string line(commandLine);
    PROCESS_INFORMATION process;
    if (!CreateProcessW(programText.empty() ? nullptr : Wide(programText.c_str()), Wide(line.data()), nullptr,
                        nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        folderText.empty() ? nullptr : Wide(folderText.c_str()), &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace pathbook::platform
