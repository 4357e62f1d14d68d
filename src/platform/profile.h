// The private-profile (INI) file functions. The Windows build calls the system;
// the POSIX build keeps an INI file with the same rules: section and key names
// compare without regard to ASCII letter case, blanks around keys and values
// are dropped, one pair of matching quotes around a value is stripped, and a
// write replaces the first matching key or adds it at the end of its section.
#pragma once

#include <cstdint>

namespace pathbook::platform {

// GetPrivateProfileIntW: the decimal value of `key`, or `defaultValue` when the
// file, section or key is missing or the value is empty. Text that is not a
// number reads as 0.
std::int32_t ReadIniInt(const char16_t* path, const char16_t* section, const char16_t* key,
                            std::int32_t defaultValue);

// GetPrivateProfileStringW: copies the value of `key` (or `defaultValue` when
// it is missing) into `buffer`, cut to `capacity` - 1 units and NUL-terminated,
// and returns the units copied. `capacity` must be at least 1.
std::uint32_t ReadIniString(const char16_t* path, const char16_t* section, const char16_t* key,
                                const char16_t* defaultValue, char16_t* buffer, std::uint32_t capacity);

// WritePrivateProfileStringW: sets `key` to `value`, creating the file and the
// section as needed. False when the file cannot be written.
bool WriteIniString(const char16_t* path, const char16_t* section, const char16_t* key,
                        const char16_t* value);

}  // namespace pathbook::platform
