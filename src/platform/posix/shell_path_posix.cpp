// The shell's path rules, written out for systems without shlwapi.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/shell_path.h"
#include "runtime/ascii.h"
#include "runtime/utf8.h"

namespace pathbook::platform {
namespace {

using Text = std::u16string;
using View = std::u16string_view;

constexpr std::size_t kMaxPathText = static_cast<std::size_t>(kMaxPathUnits - 1);
constexpr View kEllipsis = u"...";

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }
bool HasDrive(View path) { return path.size() >= 2 && path[1] == u':' && IsAsciiLetter(path[0]); }

Text CutToBuffer(Text text) {
    if (text.size() > kMaxPathText) text.resize(kMaxPathText);
    return text;
}

// The index just past the separator that ends the component starting at `from`
// (or the end of `path`).
std::size_t PastComponent(View path, std::size_t from) {
    while (from < path.size() && !IsSeparator(path[from])) ++from;
    return from < path.size() ? from + 1 : from;
}

// How many leading units no ".." may remove: "C:\", "C:", "\\server\share\",
// "scheme://host/", "\" or nothing for a relative path.
std::size_t RootLength(View path) {
    if (HasDrive(path)) return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        return PastComponent(path, PastComponent(path, 2));
    }
    std::size_t scheme = path.find(u"://");
    if (scheme != View::npos && scheme > 0) {
        bool letters = true;
        for (std::size_t i = 0; i < scheme; ++i) letters = letters && IsAsciiLetter(path[i]);
        if (letters) return PastComponent(path, scheme + 3);
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

struct Step {
    View name;
    View separator;  // the one that followed it, or empty at the end
};

}  // namespace

Text CanonicalizePath(View path) {
    std::size_t root = RootLength(path);
    std::vector<Step> kept;
    std::size_t at = root;
    while (at < path.size()) {
        std::size_t end = at;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        Step step{path.substr(at, end - at), path.substr(end, end < path.size() ? 1 : 0)};
        at = end + step.separator.size();
        if (step.name == u".") continue;
        if (step.name == u".." && (!kept.empty() ? kept.back().name != u".." : root > 0)) {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(step);
    }
    Text result(path.substr(0, root));
    for (const Step& step : kept) {
        result.append(step.name);
        result.append(step.separator);
    }
    return CutToBuffer(std::move(result));
}

Text AppendPath(View path, View more) {
    if (path.empty() || HasDrive(more)) return CutToBuffer(Text(more));
    while (!more.empty() && IsSeparator(more.front())) more.remove_prefix(1);
    Text joined(path);
    if (!more.empty() && !IsSeparator(joined.back())) joined += u'\\';
    joined.append(more);
    return CanonicalizePath(joined);
}

Text ExpandEnvironment(View text) {
    Text result;
    std::size_t at = 0;
    while (at < text.size() && result.size() <= kMaxPathText) {
        std::size_t open = text.find(u'%', at);
        std::size_t close = open == View::npos ? View::npos : text.find(u'%', open + 1);
        if (close == View::npos) {
            result.append(text.substr(at));
            break;
        }
        result.append(text.substr(at, open - at));
        View name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(Utf16ToUtf8(name).c_str());
        if (value == nullptr) {
            // The closing "%" may open the next variable.
            result.append(text.substr(open, close - open));
            at = close;
            continue;
        }
        result.append(Utf8ToUtf16(value));
        at = close + 1;
    }
    return CutToBuffer(std::move(result));
}

bool CompactPathForDisplay(Text* path, std::int32_t maxUnits) {
    if (maxUnits <= 0) return false;
    std::size_t room = static_cast<std::size_t>(maxUnits - 1);
    if (path->size() <= room) return true;
    std::size_t nameStart = path->size();
    while (nameStart > 0 && !IsSeparator((*path)[nameStart - 1])) --nameStart;
    View name = View(*path).substr(nameStart == 0 ? 0 : nameStart - 1);
    Text result;
    if (name.size() + kEllipsis.size() <= room) {
        result = path->substr(0, room - name.size() - kEllipsis.size());
        result.append(kEllipsis);
        result.append(name);
    } else if (room > kEllipsis.size()) {
        result = Text(name.substr(0, room - kEllipsis.size()));
        result.append(kEllipsis);
    } else {
        result = Text(kEllipsis.substr(0, room));
    }
    *path = std::move(result);
    return true;
}

}  // namespace pathbook::platform
