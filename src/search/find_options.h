// The find options the user sets in the find dialog: the find state uses them,
// the settings file keeps them between sessions.
#pragma once

namespace pathbook::search {

struct FindOptions {
    bool ignoreCase = true;
    bool regExp = false;
};

}  // namespace pathbook::search
