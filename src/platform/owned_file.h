// A file that marks something as this process's while it lives: held open
// without sharing (Windows) or under an exclusive flock (POSIX), so that the
// system lets go of it when the process ends, however it ends. Another
// process can tell a living owner from a dead one by trying to Claim the file.
// Tested by owned_file_test.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace pathbook::platform {

class OwnedFile {
public:
    OwnedFile() = default;
    ~OwnedFile() { Close(false); }
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;

    // Creates `path`, which must not exist, and owns it. False when it exists
    // or cannot be made; nothing is left behind then.
    bool Create(const char16_t* path);
    // Takes `path` over when no living process (this one included) owns it.
    // False when its owner lives, or the file is gone or cannot be opened.
    bool Claim(const char16_t* path);
    // Lets go of the file; with `remove` deletes it first, while still owned.
    void Close(bool remove);
    bool IsOpen() const { return handle_ != kNone; }

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;  // HANDLE or descriptor
    std::u16string path_;           // while open, for Close(true)
};

}  // namespace pathbook::platform
