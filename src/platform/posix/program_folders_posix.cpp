#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/posix/native_path.h"
#include "platform/program_folders.h"
#include "runtime/utf8.h"

namespace pathbook::platform {
namespace {

constexpr std::size_t kMaxPathText = 259;

// "/tmp/x" as "Z:\tmp\x".
std::u16string WindowsForm(const std::string& native) {
    if (native.empty() || native[0] != '/' || native.size() + 2 > kMaxPathText) return {};
    return posix::WindowsPath(native);
}

std::string ProgramFile() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder != nullptr && *folder == '/' ? folder : "/tmp";
    if (path.back() != '/') path += '/';
    return path;
}

}  // namespace

// There is no Windows or system folder here.
std::u16string ProgramFolderPath(ProgramFolder folder) {
    switch (folder) {
    case ProgramFolder::kTemporary:
        return WindowsForm(TemporaryFolder());
    case ProgramFolder::kCurrentDirectory:
        return WindowsForm(CurrentDirectory());
    case ProgramFolder::kProgramFile:
        return WindowsForm(ProgramFile());
    case ProgramFolder::kWindows:
    case ProgramFolder::kSystem:
        break;
    }
    return {};
}

}  // namespace pathbook::platform
