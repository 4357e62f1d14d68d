#include "notebook/links_here.h"

#include "notebook/link_target.h"
#include "notebook/note_tree.h"

namespace pathbook {

std::vector<Backlink> LinksHere(const NotebookIndex& index, std::u16string_view path) {
    // The note's path as a link's target is made: canonical, no trailing separator.
    const std::u16string key = PathKey(NotebookRoot(path));
    std::vector<Backlink> found;
    for (const NotePointer& note : index.Entries()) {
        for (const NoteLink& link : note->links) {
            if (note->TargetOf(link) == key) found.push_back({note, link.line, link.open, link.close});
        }
    }
    return found;
}

}  // namespace pathbook
