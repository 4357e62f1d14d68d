// Where a link written in a note leads, resolved as a click on it resolves it
// (view/link_activation.cpp prepares the click's request, links/link_status.cpp
// resolves it): a "#" link in the note's folder, a "." link against the
// nearest link above it that starts with neither "." nor "#", anything else
// as written, with %VAR% expanded and "." and ".." folded.
//
// One difference: a click on a "." link with no such link above resolves it
// against an empty base, and folding the leading ".\" away then leaves a text
// that is no link ("<.\a.txt>" finds nothing; "<..\a.txt>" is taken in the
// current folder, which is the open note's). Here such a link is resolved in
// the note's folder, where the note's author meant it.
// Tested by tests/unit/notebook/note_links_test.cpp.
#pragma once

#include <string>
#include <string_view>

namespace pathbook {

struct ResolvableLink {
    std::u16string basePath;  // empty when there is none
    std::u16string linkText;  // at most 259 units; a leading "#" is turned into "\"
};

// `span`: the units between the link's "<" and ">". `baseLink`: the span of
// the nearest link before it that CanBeBase, empty when there is none.
// `noteFolder`: the note's folder, ending in a separator.
ResolvableLink PrepareLink(std::u16string_view span, std::u16string_view baseLink, std::u16string_view noteFolder);

// Whether a link with this span can be the base of a "." link after it.
inline bool CanBeBase(std::u16string_view span) { return !span.empty() && span[0] != u'.' && span[0] != u'#'; }

// The path a file link leads to: joined, expanded and canonical, without a
// trailing separator. Empty when the link resolves to a web, FTP or mail
// address, or to a text that is no link.
std::u16string FileLinkTarget(const ResolvableLink& link);

// A path as paths are compared: "/" as "\", letters folded as the system folds file names.
std::u16string PathKey(std::u16string_view path);

// Whether `path` names a place on another machine ("\\server\share", "//server"):
// finding out whether it exists would go over the network.
inline bool IsNetworkPath(std::u16string_view path) {
    return path.size() >= 2 && (path[0] == u'\\' || path[0] == u'/') && (path[1] == u'\\' || path[1] == u'/');
}

// The folder of the note at `path`, ending in a separator.
std::u16string FolderOf(std::u16string_view path);

}  // namespace pathbook
