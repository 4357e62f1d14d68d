// Writes a file sequentially through a 64 KiB buffer, without ever leaving the
// user's existing file half written: the bytes go to a new file in the same
// folder, and Close puts it in the place of the target only when every write
// and the flush to the disk succeeded. A writer destroyed while open discards
// its bytes; one that is not open takes bytes and drops them.
// Tested by file_access_test.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/output_file.h"

namespace pathbook {

class FileWriter {
public:
    static constexpr std::size_t kCapacity = 0x10000;

    FileWriter();
    virtual ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Discards anything open, then starts writing a replacement for `path`.
    // False when the new file cannot be created.
    bool Open(const char16_t* path);

    // Flushes first when the buffer is full or has exactly one free byte.
    void WriteByte(std::uint8_t byte);
    void WriteBytes(const void* bytes, std::size_t count);

    // Writes the buffered bytes, puts the file in place of the target and
    // returns true only if all of it succeeded; otherwise the target is
    // untouched (or, where the system failed half way through the swap, both
    // files are kept: see Outcome). A writer that is not open returns true and
    // does nothing.
    bool Close();
    // Closes and deletes the new file; the target is not touched.
    void Discard();

    bool IsOpen() const { return file_.IsOpen(); }
    // True once any write has failed since Open.
    bool Failed() const { return failed_; }
    // What the last Close left on the disk, and the system's reason when it failed.
    platform::CommitResult Outcome() const { return outcome_; }
    platform::SystemError Error() const { return file_.Error(); }
    // With Outcome kBothKept: where the new file and the old target are now.
    const std::u16string& NewFilePath() const { return file_.Path(); }
    const std::u16string& OldFilePath() const { return file_.BackupPath(); }

private:
    void Flush();

    platform::OutputFile file_;
    std::u16string target_;
    std::uint8_t* buffer_;  // kCapacity bytes
    std::size_t used_ = 0;  // invariant: used_ <= kCapacity
    bool failed_ = false;
    platform::CommitResult outcome_ = platform::CommitResult::kTargetKept;
};

}  // namespace pathbook
