// The reversible form in which the settings file keeps a value the ANSI code
// page cannot hold: "#" and four lower-case hexadecimal digits per UTF-16 unit,
// most significant first.
#pragma once

#include <string>
#include <string_view>

namespace pathbook {

// The stored form of `value`: unchanged when the ANSI code page holds every
// character and it does not start with "#", otherwise "#" and the digits.
std::u16string EncodeSettingValue(std::u16string_view value);

// The value of a stored form. Text not starting with "#" is returned as it is.
// Otherwise each group of four characters after "#" gives one unit: "0"-"9"
// count 0-9, letters count 10 upward from "a" or "A", anything else is skipped
// without changing the value; a trailing group of fewer than four is ignored.
std::u16string DecodeSettingValue(std::u16string_view stored);

}  // namespace pathbook
