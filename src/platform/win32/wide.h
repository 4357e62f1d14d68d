// The core's UTF-16 (char16_t) meets Win32's (wchar_t, 16 bits on Windows)
// only in the win32 implementations, through these casts.
#pragma once

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

namespace pathbook::platform::win32 {

inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const char16_t* Utf16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

}  // namespace pathbook::platform::win32
