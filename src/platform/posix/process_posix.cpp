#include <spawn.h>
#include <sys/wait.h>

#include <string>

#include "platform/posix/native_path.h"
#include "platform/process.h"
#include "runtime/utf8.h"

extern char** environ;

namespace pathbook::platform {

// The command line goes to the shell, which takes its first word as the
// program; a window position means nothing here.
bool StartProcess(std::u16string_view, std::u16string_view commandLine, std::u16string_view folder, WindowPosition) {
    std::string line = Utf16ToUtf8(commandLine);
    if (!folder.empty()) {
        const std::u16string folderText(folder);
        line = "cd '" + posix::NativePath(folderText.c_str()) + "' && " + line;
    }
    const char* arguments[] = {"/bin/sh", "-c", line.c_str(), nullptr};
    pid_t child = 0;
    return posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(arguments), environ) == 0;
}

}  // namespace pathbook::platform
