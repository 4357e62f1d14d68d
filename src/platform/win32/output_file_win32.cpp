#include <windows.h>

#include "platform/output_file.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

using win32::Wide;

bool Exists(const std::u16string& path) { return GetFileAttributesW(Wide(path.c_str())) != INVALID_FILE_ATTRIBUTES; }

std::u16string FolderOf(const char16_t* path) {
    std::u16string folder(path);
    std::size_t separator = folder.find_last_of(u"\\/");
    return separator == std::u16string::npos ? std::u16string(u".") : folder.substr(0, separator + 1);
}

// A name no file has in `folder`: GetTempFileNameW makes the file, which is
// deleted again so that ReplaceFileW finds the name free. Empty on failure.
std::u16string FreeName(const std::u16string& folder, const wchar_t* prefix) {
    wchar_t name[MAX_PATH];
    if (folder.size() >= MAX_PATH - 14 || GetTempFileNameW(Wide(folder.c_str()), prefix, 0, name) == 0) return {};
    DeleteFileW(name);
    return win32::Utf16(name);
}

// The new file takes the target's name and identity, not always its attributes.
void KeepAttributes(const char16_t* target, DWORD attributes) {
    if (GetFileAttributesW(Wide(target)) != attributes) SetFileAttributesW(Wide(target), attributes);
}

}  // namespace

bool OutputFile::CreateBeside(const char16_t* neighbour) {
    Discard();
    error_ = 0;
    backupPath_.clear();
    std::u16string folder = FolderOf(neighbour);
    wchar_t name[MAX_PATH];
    // GetTempFileNameW creates the file, so the name is ours.
    if (folder.size() >= MAX_PATH - 14 || GetTempFileNameW(Wide(folder.c_str()), L"pbk", 0, name) == 0) {
        Failed(folder.size() >= MAX_PATH - 14 ? ERROR_FILENAME_EXCED_RANGE : GetLastError());
        return false;
    }
    HANDLE file = CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Failed(GetLastError());
        DeleteFileW(name);
        return false;
    }
    file_ = reinterpret_cast<std::intptr_t>(file);
    path_ = win32::Utf16(name);
    owned_ = true;
    return true;
}

bool OutputFile::Write(const void* bytes, std::size_t count) {
    if (!IsOpen()) return false;
    const auto* at = static_cast<const char*>(bytes);
    while (count > 0) {
        DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
        DWORD written = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(file_), at, chunk, &written, nullptr) || written != chunk) {
            Failed(written != chunk && GetLastError() == 0 ? ERROR_DISK_FULL : GetLastError());
            return false;
        }
        at += written;
        count -= written;
    }
    return true;
}

bool OutputFile::CloseFile() {
    if (!IsOpen()) return true;
    HANDLE file = reinterpret_cast<HANDLE>(file_);
    file_ = kNoFile;
    bool flushed = FlushFileBuffers(file) != FALSE;
    if (!flushed) Failed(GetLastError());
    bool closed = CloseHandle(file) != FALSE;
    if (!closed) Failed(GetLastError());
    return flushed && closed;
}

void OutputFile::Failed(SystemError error) {
    if (error_ == 0) error_ = error != 0 ? error : ERROR_GEN_FAILURE;
}

void OutputFile::Discard() {
    CloseFile();
    if (owned_) DeleteFileW(Wide(path_.c_str()));
    owned_ = false;
}

// ReplaceFileW keeps the old target at the backup name until the new file has
// its name. Which of its failures moved what is decided from what is on the
// disk afterwards, not from the error alone: the new file is deleted only
// while the target holds the old text, and the old text is put back from the
// backup when the target has none (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2).
CommitResult OutputFile::Commit(const char16_t* target) {
    if (!owned_) return CommitResult::kWriteFailed;
    if (!CloseFile()) {
        Discard();
        return CommitResult::kWriteFailed;
    }
    owned_ = false;
    const std::u16string newFile = path_;
    const std::u16string targetPath(target);
    DWORD attributes = GetFileAttributesW(Wide(target));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (MoveFileExW(Wide(newFile.c_str()), Wide(target), MOVEFILE_WRITE_THROUGH)) return CommitResult::kReplaced;
        Failed(GetLastError());
        DeleteFileW(Wide(newFile.c_str()));
        return CommitResult::kTargetKept;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
        // A folder is never replaced by a file (Wine's ReplaceFileW would move
        // it aside), nor a read-only file (Wine's MoveFileExW would replace it).
        Failed(ERROR_ACCESS_DENIED);
        DeleteFileW(Wide(newFile.c_str()));
        return CommitResult::kTargetKept;
    }
    const std::u16string backup = FreeName(FolderOf(target), L"pbb");
    auto dropBackup = [&] {
        if (!backup.empty()) DeleteFileW(Wide(backup.c_str()));
    };
    if (ReplaceFileW(Wide(target), Wide(newFile.c_str()), backup.empty() ? nullptr : Wide(backup.c_str()),
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
        KeepAttributes(target, attributes);
        dropBackup();
        return CommitResult::kReplaced;
    }
    SystemError replaceError = GetLastError();
    bool targetThere = Exists(targetPath);
    bool newThere = Exists(newFile);
    if (targetThere && newThere) {
        // Nothing moved (the target is in use, or its file system cannot swap
        // files): a move over it is the last try, and leaves it whole if it fails.
        if (MoveFileExW(Wide(newFile.c_str()), Wide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            KeepAttributes(target, attributes);
            dropBackup();
            return CommitResult::kReplaced;
        }
        Failed(replaceError);
        DeleteFileW(Wide(newFile.c_str()));
        dropBackup();
        return CommitResult::kTargetKept;
    }
    if (targetThere) {
        // The new file is gone and the target is there: it took the target's place.
        KeepAttributes(target, attributes);
        dropBackup();
        return CommitResult::kReplaced;
    }
    Failed(replaceError);
    if (backup.empty() || !Exists(backup)) {
        // No old text anywhere: the new file is the only copy.
        return CommitResult::kBothKept;
    }
    if (!MoveFileExW(Wide(backup.c_str()), Wide(target), MOVEFILE_WRITE_THROUGH)) {
        backupPath_ = backup;
        return CommitResult::kBothKept;
    }
    // The old text is back in its place.
    if (newThere) DeleteFileW(Wide(newFile.c_str()));
    return CommitResult::kTargetKept;
}

}  // namespace pathbook::platform
