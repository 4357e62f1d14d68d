#include "links/path_text.h"

#include <string>

#include "platform/file_names.h"
#include "platform/shell_path.h"

namespace pathbook {
namespace {

// The index of the first unit of the file-name part.
std::int32_t FileNameStart(const String& path) {
    std::int32_t start = path.Length();
    while (start > 0 && !IsPathSeparator(path[start - 1])) --start;
    return start;
}

// The index of the last "." of the file-name part, or -1.
std::int32_t LastDotOfName(const String& path) {
    std::int32_t start = FileNameStart(path);
    for (std::int32_t i = path.Length() - 1; i >= start; --i) {
        if (path[i] == u'.') return i;
    }
    return -1;
}

}  // namespace

void SetTrailingSeparator(String& path, bool present) {
    if (path.Empty()) return;
    bool ends = IsPathSeparator(path[path.Length() - 1]);
    if (ends && !present) path.DropBack(1);
    if (!ends && present) path.Append(u'\\');
}

void RemoveLastComponent(String& path) {
    std::int32_t last = path.Length() - 1;
    while (last >= 0 && !IsPathSeparator(path[last])) --last;
    if (last < 0) {
        path = String();
        return;
    }
    while (last > 0 && IsPathSeparator(path[last - 1])) --last;
    path.DropBack(path.Length() - last - 1);
}

void JoinPath(String& path, const String& more) {
    if (more.Empty()) return;
    path = String(platform::AppendPath(path.View(), more.View()));
}

String ExpandPath(const String& path) {
    if (path.Empty()) return path;
    return String(platform::CanonicalizePath(platform::ExpandEnvironment(path.View())));
}

String CompactPath(const String& path, std::int32_t maxUnits) {
    std::u16string text(path.View());
    if (!platform::CompactPathForDisplay(&text, maxUnits)) return path;
    return String(text);
}

void UseLongFileName(String& path) {
    // The system would take "*" and "?" as wildcards and report another file's name.
    std::u16string_view name = path.View().substr(static_cast<std::size_t>(FileNameStart(path)));
    if (name.find_first_of(u"*?") != std::u16string_view::npos) return;
    std::u16string stored = platform::StoredFileName(path.Chars());
    if (stored.empty()) return;
    path.DropBack(path.Length() - FileNameStart(path));
    path.Append(stored.data(), static_cast<std::int32_t>(stored.size()));
}

void ToShortPath(String& path) {
    std::u16string shortPath = platform::ShortPathName(path.Chars());
    if (!shortPath.empty()) path = String(shortPath);
}

String FileNamePart(const String& path) {
    std::int32_t start = FileNameStart(path);
    return String(path.Chars() + start, path.Length() - start);
}

String FileExtension(const String& path) {
    std::int32_t dot = LastDotOfName(path);
    if (dot < 0) return String();
    return String(path.Chars() + dot + 1, path.Length() - dot - 1);
}

String FileTitle(const String& path) {
    std::int32_t start = FileNameStart(path);
    std::int32_t dot = LastDotOfName(path);
    std::int32_t end = dot < 0 ? path.Length() : dot;
    return String(path.Chars() + start, end - start);
}

}  // namespace pathbook
