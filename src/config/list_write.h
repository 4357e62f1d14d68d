// What became of writing one of the lists every instance shares: the history
// in the settings file and the favourites in DocList.txt. A list is written
// only over what was read of it under the lists' mutex, so a file that could
// not be read, or a mutex another instance held too long, refuses the write.
#pragma once

namespace pathbook {

enum class ListWrite {
    kWritten,
    kUnreadable,   // refused: the file is there but could not be read (nothing was written over it)
    kLocked,       // refused: another instance held the lists' mutex longer than the wait
    kWriteFailed,  // the file could not be written
};

}  // namespace pathbook
