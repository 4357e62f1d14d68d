// The encoding the sharing workers give each path they add: an encoding of the
// table (the history keeps no other), varied so that an entry that travelled
// with another's code shows.
#pragma once

#include "textfile/charset.h"

namespace pathbook::test {

inline CharsetId SharingCode(int worker, int index) {
    static const CharsetId kCodes[] = {0, 932, -932, -933, -2, 65000, -65001, 65001, -3, -4, -5};
    return kCodes[(worker * 7 + index) % (sizeof kCodes / sizeof kCodes[0])];
}

}  // namespace pathbook::test
