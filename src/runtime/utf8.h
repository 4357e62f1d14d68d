// UTF-8 <-> UTF-16 for the edges of the program that speak UTF-8 (the command
// line of pathbook-tool, test fixtures, POSIX file names). Ill-formed input
// becomes U+FFFD; lone surrogates are written as U+FFFD too.
#pragma once

#include <string>
#include <string_view>

namespace pathbook {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace pathbook
