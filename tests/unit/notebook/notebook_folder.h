// A notebook in a temporary folder for the notebook tests: notes written by
// their path below the root (folders made as needed), and paths in the
// Windows form the core takes.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "links/link_test_support.h"
#include "platform/code_page.h"
#include "runtime/utf8.h"
#include "support/temp_folder.h"

namespace pathbook::test {

class NotebookFolder {
public:
    // The root, without a trailing separator.
    std::u16string Root() const { return std::u16string(WindowsForm(folder_.Path()).View()); }
    // A note's full path; `relative` uses "/".
    std::u16string Path(const std::string& relative) const { return std::u16string(WindowsForm(Native(relative)).View()); }
    std::filesystem::path Native(const std::string& relative) const {
        return folder_.Path() / std::filesystem::u8path(relative);
    }

    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories(Native(relative).parent_path());
        std::ofstream(Native(relative), std::ios::binary) << bytes;
    }
    void Remove(const std::string& relative) const { std::filesystem::remove_all(Native(relative)); }
    void Rename(const std::string& from, const std::string& to) const { std::filesystem::rename(Native(from), Native(to)); }

private:
    TempFolder folder_;
};

// Code page 932 as the ANSI code page while it lives, where the system lets
// a program choose (Shift_JIS notes are detected as the ANSI code page).
class JapaneseCodePage {
public:
    JapaneseCodePage() : saved_(platform::AnsiCodePage()) { platform::OverrideAnsiCodePage(932); }
    ~JapaneseCodePage() { platform::OverrideAnsiCodePage(saved_); }
    JapaneseCodePage(const JapaneseCodePage&) = delete;
    JapaneseCodePage& operator=(const JapaneseCodePage&) = delete;
    static bool InEffect() { return platform::AnsiCodePage() == 932; }

private:
    platform::CodePage saved_;
};

// Bytes from their hexadecimal spelling, "e6 97 a5".
inline std::string Hex(const std::string& spelled) {
    std::string bytes;
    for (std::size_t at = 0; at + 1 < spelled.size(); at += 3) {
        bytes.push_back(static_cast<char>(std::stoi(spelled.substr(at, 2), nullptr, 16)));
    }
    return bytes;
}

}  // namespace pathbook::test
