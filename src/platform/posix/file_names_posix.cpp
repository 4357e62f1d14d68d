#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/file_names.h"
#include "platform/posix/native_path.h"
#include "platform/program_folders.h"
#include "platform/shell_path.h"

namespace pathbook::platform {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

PathState QueryPath(const char16_t* path) {
    if (*path == 0 || posix::NamesOtherDrive(path)) return PathState::kNotFound;
    struct stat info;
    if (stat(posix::NativePath(path).c_str(), &info) == 0) return PathState::kExists;
    return errno == ENOENT || errno == ENOTDIR ? PathState::kNotFound : PathState::kUnavailable;
}

std::u16string StoredFileName(const char16_t* path) {
    std::u16string_view text(path);
    if (text.empty() || IsSeparator(text.back()) || QueryPath(path) != PathState::kExists) return {};
    std::size_t start = text.size();
    while (start > 0 && !IsSeparator(text[start - 1])) --start;
    return std::u16string(text.substr(start));
}

// Without 8.3 names a path is its own short form.
std::u16string ShortPathName(const char16_t* path) {
    return QueryPath(path) == PathState::kExists ? std::u16string(path) : std::u16string();
}

std::u16string FullPathName(const char16_t* path) {
    if (*path == 0) return std::u16string();
    std::u16string_view text(path);
    const bool absolute = IsSeparator(text[0]) || (text.size() >= 2 && text[1] == u':');
    if (absolute) return CanonicalizePath(text);
    const std::u16string start = ProgramFolderPath(ProgramFolder::kCurrentDirectory);
    return start.empty() ? std::u16string(text) : AppendPath(start, text);
}

bool IsReadableFile(const char16_t* path) {
    if (*path == 0 || posix::NamesOtherDrive(path)) return false;
    const int file = open(posix::NativePath(path).c_str(), O_RDONLY);
    if (file < 0) return false;
    close(file);
    return true;
}

}  // namespace pathbook::platform
