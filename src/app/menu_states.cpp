#include "app/menu_states.h"

#include "app/resource_ids.h"

namespace pathbook {
namespace {

void AddEditItems(const MenuInputs& in, MenuStates& states) {
    bool selection = !in.selectionEmpty;
    states.items.push_back({IDM_CUT, selection, false});
    states.items.push_back({IDM_COPY, selection, false});
    states.items.push_back({IDM_DELETE, selection, false});
    states.items.push_back({IDM_UNDO, in.canUndo, false});
    states.items.push_back({IDM_REDO, in.canRedo, false});
}

std::int32_t WrapRadioItem(std::int32_t wrapMode) {
    if (wrapMode < 0) return IDM_NO_WRAP;
    return wrapMode == 0 ? IDM_WRAP_EDGE : IDM_WRAP_WIDTH;
}

}  // namespace

MenuStates MenuBarStates(const MenuInputs& in, bool full) {
    MenuStates states;
    AddEditItems(in, states);
    if (!full) return states;
    states.items.push_back({IDM_SAVE, in.untitled || in.modified, false});
    states.items.push_back({IDM_NO_EDITING, true, in.locked});
    states.items.push_back({IDM_REOPEN, !in.untitled, false});
    states.items.push_back({IDM_GREP, in.grepConfigured, false});
    states.items.push_back({IDM_STATUS_BAR, true, in.statusBarShown});
    states.items.push_back({IDM_ADD_FAVORITE, !in.untitled && !in.pathIsFavorite, false});
    states.radioChecked = WrapRadioItem(in.wrapMode);
    return states;
}

MenuStates PopupStates(const MenuInputs& in) {
    MenuStates states;
    AddEditItems(in, states);
    states.items.push_back({IDM_OPEN_LINK, in.linkAtCaret != LinkKind::kNone, false});
    states.items.push_back({IDM_OPEN_LOCATION, in.linkAtCaret == LinkKind::kFile, false});
    if (in.locked) {
        for (std::int32_t id : {IDM_CUT, IDM_PASTE, IDM_DELETE, IDM_UNDO, IDM_REDO}) {
            states.items.push_back({id, false, false});
        }
    } else {
        states.items.push_back({IDM_PASTE, true, false});
    }
    return states;
}

}  // namespace pathbook
