#include "notebook/link_target.h"

#include "document/link_recognition.h"
#include "links/path_text.h"
#include "navigation/fold_case.h"
#include "platform/ordinal_compare.h"
#include "runtime/ascii.h"
#include "runtime/string.h"

namespace pathbook {
namespace {

// A path buffer without its NUL: the most a click hands to the resolver.
constexpr std::size_t kMaxLinkUnits = 259;

}  // namespace

ResolvableLink PrepareLink(std::u16string_view span, std::u16string_view baseLink, std::u16string_view noteFolder) {
    ResolvableLink link;
    link.linkText.assign(span.substr(0, kMaxLinkUnits));
    if (!span.empty() && span[0] == u'#') {
        link.basePath.assign(noteFolder);
        link.linkText[0] = u'\\';
    } else if (!span.empty() && span[0] == u'.') {
        link.basePath.assign(baseLink.empty() ? noteFolder : baseLink);
    }
    return link;
}

std::u16string FileLinkTarget(const ResolvableLink& link) {
    String target(link.basePath);
    JoinPath(target, String(link.linkText));
    target = ExpandPath(target);
    if (MatchLink(target.Chars(), static_cast<std::uint32_t>(target.Length())) == 0) return {};
    if (ClassifyLink(target.Chars()) != LinkKind::kFile) return {};
    SetTrailingSeparator(target, false);
    return std::u16string(target.View());
}

std::u16string PathKey(std::u16string_view path) {
    std::u16string key(path);
    for (char16_t& unit : key) {
        // ASCII, by far the most common, folds as the system folds it.
        unit = unit == u'/' ? u'\\' : unit < 0x80 ? AsciiToUpper(unit) : platform::OrdinalUpper(unit);
    }
    return key;
}

std::u16string FolderOf(std::u16string_view path) {
    String folder(path);
    RemoveLastComponent(folder);
    return std::u16string(folder.View());
}

}  // namespace pathbook
