// A new file written sequentially, shared for reading only. Every call reports
// whether the system accepted it, so that a writer can tell a failed save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pathbook::platform {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile() { Close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates a new, empty file with a unique name in the folder of `neighbour`
    // (which need not exist) and opens it. Its path is Path() until Close.
    bool CreateBeside(const char16_t* neighbour);
    // Writes all `count` bytes or returns false.
    bool Write(const void* bytes, std::size_t count);
    // Closes the file; false when the system reports that data may be lost.
    bool Close();

    bool IsOpen() const { return file_ != kNoFile; }
    const std::u16string& Path() const { return path_; }

private:
    static constexpr std::intptr_t kNoFile = -1;

    std::intptr_t file_ = kNoFile;  // HANDLE or file descriptor
    std::u16string path_;
};

}  // namespace pathbook::platform
