// Starting other programs: new instances of this one, and the grep program.
#pragma once

#include <cstdint>
#include <string_view>

namespace pathbook::platform {

// Where the new process's first window goes; without `given`, where the system puts it.
struct WindowPosition {
    bool given = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Starts `commandLine`. `program`, when not empty, is the program file itself,
// so that the command line's first word cannot name another one. `folder` is
// the new process's current directory (empty: this process's). The new
// process is not waited for. False when it could not be started.
bool StartProcess(std::u16string_view program, std::u16string_view commandLine, std::u16string_view folder = {},
                  WindowPosition position = {});

}  // namespace pathbook::platform
