// Paths and environment for the link tests: the Windows form the core takes
// (drive Z: is the root in the POSIX build) and variables to expand.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "runtime/string.h"
#include "runtime/utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pathbook::test {

inline String WindowsForm(const std::filesystem::path& path) {
#ifdef _WIN32
    std::u16string text = path.u16string();
#else
    std::u16string text = u"Z:" + path.u16string();
#endif
    for (char16_t& c : text) {
        if (c == u'/') c = u'\\';
    }
    return String(text);
}

inline String U(const char* utf8) { return String(Utf8ToUtf16(utf8)); }
inline std::string Utf8(const String& text) { return Utf16ToUtf8(text.View()); }

inline void SetVariable(const char* name, const String& value) {
#ifdef _WIN32
    std::u16string wideName = Utf8ToUtf16(name);
    SetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(wideName.c_str()),
                            reinterpret_cast<const wchar_t*>(value.Chars()));
#else
    setenv(name, Utf8(value).c_str(), 1);
#endif
}

}  // namespace pathbook::test
