// A new file written sequentially beside the one it is to replace, shared for
// reading only, and put in that one's place when complete. Every call reports
// whether the system accepted it and keeps the system's reason for the first
// failure. The target is never left half written: until Commit it is not
// touched, and a Commit that fails puts it back or keeps both files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/system_error.h"

namespace pathbook::platform {

// What a Commit left on the disk.
enum class CommitResult {
    kReplaced,     // the new file has the target's name (and an old target's attributes)
    kWriteFailed,  // flushing or closing the new file failed: it is gone, the target as it was
    kTargetKept,   // it could not take the target's place: the target is as it was, the new file is gone
    // Failed after the old target had been moved aside, and it could not be
    // moved back: the new file is still at Path() and the old one at
    // BackupPath(); nothing was deleted.
    kBothKept,
};

class OutputFile {
public:
    OutputFile() = default;
    // Discards a file that was not committed.
    ~OutputFile() { Discard(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates a new, empty file with a unique name in the folder of `neighbour`
    // (which need not exist) and opens it. Its path is Path() until Commit.
    bool CreateBeside(const char16_t* neighbour);
    // Writes all `count` bytes or returns false.
    bool Write(const void* bytes, std::size_t count);
    // Flushes the file to the disk, closes it and puts it in the place of
    // `target`, keeping an existing target's attributes. A read-only target
    // (or a folder) is not replaced. On Windows the old target goes to a backup name
    // while ReplaceFileW swaps them, is moved back if the swap fails half way,
    // and is deleted when it succeeded. kWriteFailed when the file was not open.
    CommitResult Commit(const char16_t* target);
    // Closes and deletes the file unless Commit has dealt with it; the target
    // is not touched.
    void Discard();

    bool IsOpen() const { return file_ != kNoFile; }
    const std::u16string& Path() const { return path_; }
    // Where the old target was left when Commit gave kBothKept.
    const std::u16string& BackupPath() const { return backupPath_; }
    // The system's reason for the first call that failed since CreateBeside; 0 for none.
    SystemError Error() const { return error_; }

private:
    static constexpr std::intptr_t kNoFile = -1;

    // Flushes and closes the handle; false when the system reports data may be lost.
    bool CloseFile();
    // Keeps the reason of the call that just failed, unless one is kept already.
    void Failed(SystemError error);

    std::intptr_t file_ = kNoFile;  // HANDLE or file descriptor
    std::u16string path_;
    bool owned_ = false;  // the file at path_ is this object's to delete
    std::u16string backupPath_;
    SystemError error_ = 0;
};

}  // namespace pathbook::platform
