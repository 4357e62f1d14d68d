#include "links/existing_prefix.h"

#include "links/path_text.h"
#include "platform/file_names.h"

namespace pathbook {
namespace {

platform::PathState StateOf(const String& linkText, const String& basePath) {
    String target = basePath;
    JoinPath(target, linkText);
    return platform::QueryPath(ExpandPath(target).Chars());
}

}  // namespace

// Each step up drops at least one unit, so the walk ends within the link's length.
std::int32_t ExistingPrefixLength(const String& linkText, const String& basePath) {
    platform::PathState state = StateOf(linkText, basePath);
    if (state == platform::PathState::kExists) return linkText.Length();
    if (state == platform::PathState::kUnavailable) return 0;
    String parent = linkText;
    for (;;) {
        RemoveLastComponent(parent);
        SetTrailingSeparator(parent, false);
        if (parent.Empty()) return 0;
        if (StateOf(parent, basePath) == platform::PathState::kExists) return parent.Length() + 1;
    }
}

}  // namespace pathbook
