#include "app/command_table.h"

#include "app/command_ids.h"
#include "app/grep_command.h"
#include "app/menu_states.h"
#include "app/resource_ids.h"

namespace pathbook {
namespace {

using Rule = bool (*)(const MenuInputs&);

// When the menu bar sets an item's state: every time a menu of the bar opens
// (the edit items), or only when the whole bar is entered.
enum class BarUpdate { kNever, kAlways, kFullOnly };

struct CommandRow {
    std::int32_t id;
    void (*run)(CommandContext&);
    BarUpdate bar;
    Rule enabledInBar;    // null: always enabled
    Rule checked;         // null: the item has no check mark
    Rule enabledInPopup;  // null: the context menu leaves the item alone
};

// The rules.
bool Always(const MenuInputs&) { return true; }
bool HasSelection(const MenuInputs& in) { return !in.selectionEmpty; }
bool CanUndo(const MenuInputs& in) { return in.canUndo; }
bool CanRedo(const MenuInputs& in) { return in.canRedo; }
bool Unlocked(const MenuInputs& in) { return !in.locked; }
bool EditableSelection(const MenuInputs& in) { return !in.selectionEmpty && !in.locked; }
bool EditableUndo(const MenuInputs& in) { return in.canUndo && !in.locked; }
bool EditableRedo(const MenuInputs& in) { return in.canRedo && !in.locked; }
bool Savable(const MenuInputs& in) { return in.untitled || in.modified; }
bool Named(const MenuInputs& in) { return !in.untitled; }
bool NamedNotFavorite(const MenuInputs& in) { return !in.untitled && !in.pathIsFavorite; }
bool GrepConfigured(const MenuInputs& in) { return in.grepConfigured; }
bool Locked(const MenuInputs& in) { return in.locked; }
bool StatusBarShown(const MenuInputs& in) { return in.statusBarShown; }
bool LinkAtCaret(const MenuInputs& in) { return in.linkAtCaret != LinkKind::kNone; }
bool FileLinkAtCaret(const MenuInputs& in) { return in.linkAtCaret == LinkKind::kFile; }

void AddToFavorites(CommandContext& c) {
    const Session& session = c.session;
    if (session.Untitled()) return;
    if (c.browser.AddToFavorites(session.Path(), session.Charset()) == AddFavoriteResult::kNotStored) {
        c.window.ReportFavoriteNotStored();
    }
}

void Grep(CommandContext& c) {
    ProgramStart start;
    if (PrepareGrep(c.config.Values().grepExe, c.session.Path(), c.session.Folder(), ProgramSearchFolders(), &start)) {
        c.window.StartProgram(start);
    }
}

void InsertDateTime(CommandContext& c) { c.editor.InsertText(c.window.DateTimeText().View()); }

// The rows, edit items first (in the order the menus list them).
const CommandRow kCommands[] = {
    {IDM_CUT, [](CommandContext& c) { c.editor.Cut(); }, BarUpdate::kAlways, HasSelection, nullptr, EditableSelection},
    {IDM_COPY, [](CommandContext& c) { c.editor.Copy(); }, BarUpdate::kAlways, HasSelection, nullptr, HasSelection},
    {IDM_DELETE, [](CommandContext& c) { c.editor.DeleteSelection(); }, BarUpdate::kAlways, HasSelection, nullptr,
     EditableSelection},
    {IDM_UNDO, [](CommandContext& c) { c.session.Text().Undo(); }, BarUpdate::kAlways, CanUndo, nullptr, EditableUndo},
    {IDM_REDO, [](CommandContext& c) { c.session.Text().Redo(); }, BarUpdate::kAlways, CanRedo, nullptr, EditableRedo},
    {IDM_PASTE, [](CommandContext& c) { c.editor.Paste(); }, BarUpdate::kNever, nullptr, nullptr, Unlocked},
    {IDM_SELECT_ALL, [](CommandContext& c) { c.editor.SelectAll(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_OPEN_LINK, [](CommandContext& c) { c.editor.OpenLinkAtCaret(LinkCommand::kOpen); }, BarUpdate::kNever,
     nullptr, nullptr, LinkAtCaret},
    {IDM_OPEN_LOCATION, [](CommandContext& c) { c.editor.OpenLinkAtCaret(LinkCommand::kOpenLocation); },
     BarUpdate::kNever, nullptr, nullptr, FileLinkAtCaret},
    {IDM_NEXT_LINK, [](CommandContext& c) { c.editor.SelectPath(PathSearch::kNextOnLine); }, BarUpdate::kNever,
     nullptr, nullptr, nullptr},
    {IDM_PREV_LINK, [](CommandContext& c) { c.editor.SelectPath(PathSearch::kPreviousOnLine); }, BarUpdate::kNever,
     nullptr, nullptr, nullptr},
    {IDM_NEXT_LINE_LINK, [](CommandContext& c) { c.editor.SelectPath(PathSearch::kNextLine); }, BarUpdate::kNever,
     nullptr, nullptr, nullptr},
    {IDM_PREV_LINE_LINK, [](CommandContext& c) { c.editor.SelectPath(PathSearch::kPreviousLine); },
     BarUpdate::kNever, nullptr, nullptr, nullptr},

    {IDM_SAVE, [](CommandContext& c) { c.session.Save(); }, BarUpdate::kFullOnly, Savable, nullptr, nullptr},
    {IDM_NO_EDITING, [](CommandContext& c) { c.session.ToggleLock(); }, BarUpdate::kFullOnly, Always, Locked,
     nullptr},
    {IDM_REOPEN, [](CommandContext& c) { c.session.Reopen(); }, BarUpdate::kFullOnly, Named, nullptr, nullptr},
    {IDM_GREP, Grep, BarUpdate::kFullOnly, GrepConfigured, nullptr, nullptr},
    {IDM_STATUS_BAR, [](CommandContext& c) { c.window.ToggleStatusBar(); }, BarUpdate::kFullOnly, Always,
     StatusBarShown, nullptr},
    {IDM_ADD_FAVORITE, AddToFavorites, BarUpdate::kFullOnly, NamedNotFavorite, nullptr, nullptr},

    {IDM_NEW_FILE, [](CommandContext& c) { c.window.NewWindow(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_OPEN, [](CommandContext& c) { c.session.OpenFile(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_SAVE_AS, [](CommandContext& c) { c.session.SaveAs(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_EXIT, [](CommandContext& c) { c.window.Close(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_NO_WRAP, [](CommandContext& c) { c.session.SetWrap(WrapCommand::kNoWrap); }, BarUpdate::kNever, nullptr,
     nullptr, nullptr},
    {IDM_WRAP_WIDTH, [](CommandContext& c) { c.session.SetWrap(WrapCommand::kFixedWidth); }, BarUpdate::kNever,
     nullptr, nullptr, nullptr},
    {IDM_WRAP_EDGE, [](CommandContext& c) { c.session.SetWrap(WrapCommand::kWindowEdge); }, BarUpdate::kNever,
     nullptr, nullptr, nullptr},
    {IDM_SETTINGS, [](CommandContext& c) { c.window.EditSettings(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_JUMP, [](CommandContext& c) { c.window.JumpToLine(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_FIND, [](CommandContext& c) { c.window.OpenFind(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_FIND_NEXT, [](CommandContext& c) { c.window.FindAgain(true); }, BarUpdate::kNever, nullptr, nullptr,
     nullptr},
    {IDM_FIND_PREV, [](CommandContext& c) { c.window.FindAgain(false); }, BarUpdate::kNever, nullptr, nullptr,
     nullptr},
    {IDM_INSERT_DATE_TIME, InsertDateTime, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_NEXT_WINDOW, [](CommandContext& c) { c.window.SwitchWindow(true); }, BarUpdate::kNever, nullptr, nullptr,
     nullptr},
    {IDM_PREV_WINDOW, [](CommandContext& c) { c.window.SwitchWindow(false); }, BarUpdate::kNever, nullptr, nullptr,
     nullptr},
    {IDM_ABOUT, [](CommandContext& c) { c.window.About(); }, BarUpdate::kNever, nullptr, nullptr, nullptr},
    {IDM_FAVORITES, [](CommandContext& c) { c.window.ManageFavorites(); }, BarUpdate::kNever, nullptr, nullptr,
     nullptr},
    {IDM_HOME, [](CommandContext& c) { c.browser.GoHome(c.session.Path()); }, BarUpdate::kNever, nullptr, nullptr,
     nullptr},
    {IDM_BACK, [](CommandContext& c) { c.browser.GoBack(c.session.Path()); }, BarUpdate::kNever, nullptr, nullptr,
     nullptr},
    {IDM_FORWARD, [](CommandContext& c) { c.browser.GoForward(c.session.Path()); }, BarUpdate::kNever, nullptr,
     nullptr, nullptr},
    {IDM_CLEAR_HISTORY,
     [](CommandContext& c) {
         const ListWrite written = c.browser.ClearHistoryCommand();
         if (written != ListWrite::kWritten) c.window.ReportHistoryNotCleared(written);
     },
     BarUpdate::kNever, nullptr, nullptr, nullptr},
};

ItemState StateOf(const CommandRow& row, Rule enabled, const MenuInputs& in) {
    return {row.id, enabled == nullptr || enabled(in), row.checked != nullptr && row.checked(in),
            row.checked != nullptr};
}

std::int32_t WrapRadioItem(std::int32_t wrapMode) {
    if (wrapMode < 0) return IDM_NO_WRAP;
    return wrapMode == 0 ? IDM_WRAP_EDGE : IDM_WRAP_WIDTH;
}

bool RunDynamicCommand(CommandContext& context, std::int32_t id) {
    const DynamicCommand command = DecodeDynamicCommand(id);
    switch (command.family) {
        case CommandFamily::kHistory: context.browser.OpenHistory(command.n); return true;
        case CommandFamily::kFavorite: context.browser.OpenFavorite(command.n); return true;
        case CommandFamily::kDocType:
            context.session.SelectDocType(static_cast<std::size_t>(command.n));
            context.window.DocTypesChanged();
            return true;
        case CommandFamily::kNone: return false;
    }
    return false;
}

}  // namespace

bool RunCommand(CommandContext& context, std::int32_t id) {
    for (const CommandRow& row : kCommands) {
        if (row.id != id) continue;
        row.run(context);
        return true;
    }
    return RunDynamicCommand(context, id);
}

MenuStates MenuBarStates(const MenuInputs& in, bool full) {
    MenuStates states;
    for (const CommandRow& row : kCommands) {
        if (row.bar == BarUpdate::kAlways || (full && row.bar == BarUpdate::kFullOnly)) {
            states.items.push_back(StateOf(row, row.enabledInBar, in));
        }
    }
    if (full) states.radioChecked = WrapRadioItem(in.wrapMode);
    return states;
}

MenuStates PopupStates(const MenuInputs& in) {
    MenuStates states;
    for (const CommandRow& row : kCommands) {
        if (row.enabledInPopup != nullptr) states.items.push_back(StateOf(row, row.enabledInPopup, in));
    }
    return states;
}

}  // namespace pathbook
