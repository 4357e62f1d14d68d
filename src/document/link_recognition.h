// Recognising links written in angle brackets: "<C:\Windows\Fonts>", "<..\>",
// UNC paths, "%VAR%" paths, "#anchors" and http, https, ftp and mailto
// addresses. These are the only link parsers in the program.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pathbook {

enum class LinkKind : std::int32_t {
    kNone = 0,
    kAnchor = 1,  // "#..."
    kFile = 2,    // "\\", "//", "X:\", "X:/", "%...", "."
    kHttp = 3,    // "http://", "https://"
    kFtp = 4,     // "ftp://"
    kMail = 5,    // "mailto://"
};

// Character classes (the shell's flags: 1 long name, 2 short name, 8
// separator; 0 ends a link). Units above ASCII follow the shell.
constexpr std::uint32_t kPathSeparatorClass = 8;
std::uint32_t IsPathChar(char16_t unit);
std::uint32_t IsUrlChar(char16_t unit);  // a path class that also admits ":" and "?"

// How many units after a "<" form a link (0: none). `count` is the number of
// units from `text` to the end of the line; nothing at or past it is read.
std::uint32_t MatchLink(const char16_t* text, std::uint32_t count);

// The kind of link `text` is; the overload with a count reads no unit at or
// past `count` (a missing unit matches nothing).
LinkKind ClassifyLink(const char16_t* text);  // NUL-terminated
LinkKind ClassifyLink(const char16_t* text, std::size_t count);

}  // namespace pathbook
