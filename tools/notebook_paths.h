// What the notebook commands (notes-search, backlinks, brokenlinks) share:
// paths from the command line made full, as the engine takes them, and the
// index cache (notebook/index_cache.h), which they read and keep up to date
// as a window does.
#pragma once

#include <string>
#include <vector>

#include "notebook/notebook_index.h"
#include "tool_command.h"

namespace pathbook::tool {

// `utf8` in Windows form: a drive or UNC path as it is, a path starting with
// one separator on the current drive, anything else below the current
// directory; "." and ".." folded, "/" turned into "\".
std::u16string FullPath(const std::string& utf8);

// The filter the commands read notes with: the TxtFilter setting's default.
constexpr char16_t kNoteFilter[] = u"*.txt";

// The long options of the commands that read a notebook: --no-cache and --cache DIR.
extern const std::vector<std::string> kCacheFlags;

// The cache file for the notebook at `root` as the options ask for it; empty with --no-cache.
std::u16string CachePathFor(const ParsedArguments& parsed, const std::u16string& root);

// The notebook under `root` with the cache the options ask for; null when
// the root cannot be read. Without a cache, `keepText` false keeps links only.
IndexPointer LoadNotebook(const ParsedArguments& parsed, const std::u16string& root, bool keepText);

}  // namespace pathbook::tool
