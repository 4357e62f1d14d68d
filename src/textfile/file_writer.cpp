#include "textfile/file_writer.h"

#include "runtime/heap.h"

namespace pathbook {

FileWriter::FileWriter() : buffer_(static_cast<std::uint8_t*>(Heap::Allocate(kCapacity))) {}

FileWriter::~FileWriter() {
    Discard();
    Heap::Free(buffer_);
}

bool FileWriter::Open(const char16_t* path) {
    Discard();
    target_ = path;
    failed_ = false;
    outcome_ = platform::CommitResult::kTargetKept;
    return file_.CreateBeside(path);
}

void FileWriter::WriteByte(std::uint8_t byte) {
    if (kCapacity - used_ <= 1) Flush();
    buffer_[used_++] = byte;
}

void FileWriter::WriteBytes(const void* bytes, std::size_t count) {
    if (count == 0) return;  // `bytes` may then be null
    const auto* at = static_cast<const std::uint8_t*>(bytes);
    while (count >= kCapacity - used_) {
        std::size_t fits = kCapacity - used_;
        Heap::CopyBytes(buffer_ + used_, at, fits);
        used_ = kCapacity;
        Flush();
        at += fits;
        count -= fits;
    }
    Heap::CopyBytes(buffer_ + used_, at, count);
    used_ += count;
}

void FileWriter::Flush() {
    if (used_ > 0 && IsOpen() && !file_.Write(buffer_, used_)) failed_ = true;
    used_ = 0;
}

bool FileWriter::Close() {
    if (!IsOpen()) return true;
    Flush();
    if (failed_) {
        Discard();
        outcome_ = platform::CommitResult::kWriteFailed;
        return false;
    }
    outcome_ = file_.Commit(target_.c_str());
    failed_ = outcome_ != platform::CommitResult::kReplaced;
    return !failed_;
}

void FileWriter::Discard() {
    file_.Discard();
    used_ = 0;
}

}  // namespace pathbook
