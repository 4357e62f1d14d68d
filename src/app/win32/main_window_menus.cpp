// Menu states, the rebuilt item lists (history, favourites, document types)
// and the drop-downs of the menu-bar toolbar.
#include <vector>

#include "app/win32/main_window.h"
#include "app/resource_ids.h"
#include "navigation/menu_items.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

// Replaces the items at `position` that carry a command id (up to the first
// separator or sub-menu) by `items`.
void ReplaceItems(HMENU menu, UINT position, const std::vector<MenuItem>& items) {
    for (;;) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, position, TRUE, &info)) break;
        if ((info.fType & MFT_SEPARATOR) || info.hSubMenu != nullptr) break;
        DeleteMenu(menu, position, MF_BYPOSITION);
    }
    for (const MenuItem& item : items) {
        UINT flags = MF_BYPOSITION | MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED);
        InsertMenuW(menu, position++, flags, static_cast<UINT_PTR>(item.id), Wide(item.text.Chars()));
    }
}

// The home drop-down's "add to favourites" follows the menu-bar rule: a named
// document that is not yet a favourite.
void ApplyAddFavoriteState(HMENU popup, const MenuStates& states) {
    for (const ItemState& item : states.items) {
        if (item.id != IDM_ADD_FAVORITE) continue;
        EnableMenuItem(popup, IDM_ADD_FAVORITE, MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
    }
}

HMENU SubMenuOf(HMENU menu, int top, int sub) {
    HMENU popup = GetSubMenu(menu, top);
    return popup != nullptr ? GetSubMenu(popup, sub) : nullptr;
}

}  // namespace

MenuInputs MainWindow::CurrentMenuInputs() {
    const Document& document = session_.Text();
    MenuInputs in;
    in.selectionEmpty = editor_.SelectionEmpty();
    in.canUndo = document.CanUndo();
    in.canRedo = document.CanRedo();
    in.untitled = session_.Untitled();
    in.modified = session_.Modified();
    in.locked = session_.Locked();
    in.grepConfigured = !config_->Values().grepExe.Empty();
    in.wrapMode = session_.Wrap();
    in.statusBarShown = statusBar_.Visible();
    in.pathIsFavorite = !session_.Untitled() && favorites_.Find(session_.Path()) >= 0;
    in.linkAtCaret = editor_.LinkKindAtCaret();
    return in;
}

namespace {

void ApplyMenuStates(HMENU menu, const MenuStates& states) {
    for (const ItemState& item : states.items) {
        EnableMenuItem(menu, static_cast<UINT>(item.id), MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
        if (item.checkable) {
            CheckMenuItem(menu, static_cast<UINT>(item.id), MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    if (states.radioChecked != 0) {
        CheckMenuRadioItem(menu, IDM_NO_WRAP, IDM_WRAP_EDGE, static_cast<UINT>(states.radioChecked), MF_BYCOMMAND);
    }
}

}  // namespace

bool MainWindow::OnInitMenu(HMENU menu) {
    ApplyMenuStates(menu, MenuBarStates(CurrentMenuInputs(), menu == GetMenu(Handle())));
    return true;
}

bool MainWindow::OnInitMenuPopup(HMENU menu, bool systemMenu) {
    if (systemMenu) return false;
    ApplyMenuStates(menu, PopupStates(CurrentMenuInputs()));
    return true;
}

void MainWindow::DropDown(int buttonId) {
    HMENU popup = menuBar_.PopupOf(buttonId);
    if (popup == nullptr) return;
    if (buttonId == IDM_HOME) {
        ReplaceItems(popup, 0, FavoritesMenuItems(favorites_, IDM_FAVORITE_FIRST));
        ApplyAddFavoriteState(popup, MenuBarStates(CurrentMenuInputs(), true));
    }
    if (buttonId == IDM_HISTORY_BUTTON) ReplaceItems(popup, 0, HistoryMenuItems(*config_, IDM_HISTORY_FIRST));
    if (buttonId == IDM_LINKS_HERE_BUTTON) ReplaceItems(popup, 0, notebook_.LinksHereMenu(IDM_LINKS_HERE_FIRST));
    menuBar_.ShowDropDown(buttonId);
}

// The English menu has "Recent Files" as sub-menu 8 of its first menu; the
// Japanese one has none, and nothing is done.
void MainWindow::RebuildHistoryMenu() {
    HMENU recent = SubMenuOf(GetMenu(Handle()), 0, 8);
    if (recent != nullptr) ReplaceItems(recent, 0, HistoryMenuItems(*config_, IDM_HISTORY_FIRST));
}

// "Document Type", sub-menu 4 of the fourth menu, where the menu has it.
void MainWindow::RebuildDocTypeMenu() {
    HMENU types = SubMenuOf(GetMenu(Handle()), 3, 4);
    if (types == nullptr) return;
    std::vector<MenuItem> items;
    DocTypeList& list = config_->DocTypes();
    for (std::size_t i = 0; i < list.Count() && i < 100; ++i) {
        items.push_back({IDM_DOC_TYPE_FIRST + static_cast<std::int32_t>(i), list.At(i).name, true});
    }
    ReplaceItems(types, 0, items);
    CheckMenuRadioItem(types, 0, static_cast<UINT>(items.size() - 1), static_cast<UINT>(list.CurrentIndex()),
                       MF_BYPOSITION);
}

}  // namespace pathbook
