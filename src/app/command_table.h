// The main window's commands as one table: each command id with what it does
// and the rules that enable and check its menu items, so that what a command
// runs and how its menu item looks are written in one row. Menu states
// (menu_states.h) are read off the same rows. Tested by
// main_window_rules_test.cpp and session_test.cpp.
#pragma once

#include <cstdint>

#include "app/editor_actions.h"
#include "app/session.h"
#include "app/window_commands.h"
#include "config/config_store.h"
#include "navigation/browsing.h"

namespace pathbook {

// Everything a command may act on.
struct CommandContext {
    const ConfigStore& config;
    Session& session;
    Browser& browser;
    EditorActions& editor;
    WindowCommands& window;
};

// Runs command `id` (a row of the table or a dynamic id: history entry,
// document type, favourite); false for an id that is not a command.
bool RunCommand(CommandContext& context, std::int32_t id);

}  // namespace pathbook
