#include "notebook_paths.h"

#include <algorithm>

#include "notebook/index_cache.h"
#include "platform/local_data.h"
#include "platform/program_folders.h"
#include "platform/shell_path.h"
#include "runtime/ascii.h"
#include "runtime/utf8.h"

namespace pathbook::tool {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

std::u16string FullPath(const std::string& utf8) {
    std::u16string path = Utf8ToUtf16(utf8);
    std::replace(path.begin(), path.end(), u'/', u'\\');
    const bool drive = path.size() >= 2 && path[1] == u':' && IsAsciiLetter(path[0]);
    const bool unc = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
    if (!drive && !unc) {
        const std::u16string current = platform::ProgramFolderPath(platform::ProgramFolder::kCurrentDirectory);
        if (!path.empty() && IsSeparator(path[0])) {
            path = current.substr(0, 2) + path;
        } else {
            path = platform::AppendPath(current, path);
        }
    }
    return platform::CanonicalizePath(path);
}

const std::vector<std::string> kCacheFlags = {"cache=", "no-cache"};

std::u16string CachePathFor(const ParsedArguments& parsed, const std::u16string& root) {
    if (parsed.Has("no-cache")) return {};
    const std::u16string folder = parsed.Has("cache") ? FullPath(parsed.flags.at("cache")) : platform::LocalDataFolder();
    return IndexCachePath(folder, root, kNoteFilter);
}

IndexPointer LoadNotebook(const ParsedArguments& parsed, const std::u16string& root, bool keepText) {
    IndexWork work;
    const std::u16string cachePath = CachePathFor(parsed, root);
    // A cached index holds the texts, so that every command can use it.
    work.keepText = keepText || !cachePath.empty();
    return BuildCachedIndex(root, kNoteFilter, nullptr, cachePath, work);
}

}  // namespace pathbook::tool
