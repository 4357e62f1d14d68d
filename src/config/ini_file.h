// The settings file: one INI file in the user's application-data folder shared
// by every instance, read and written one key at a time in the current section
// (the user's own, or "SharedConfig"). Missing files, sections and keys give
// the caller's default; failed writes are reported and may be ignored.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/string.h"

namespace pathbook {

class IniFile {
public:
    // Reads and writes the file at `path` from now on.
    void Open(const String& path) { path_ = path; }
    // The application-data folder, a separator, the program file's name
    // without its extension, and ".ini"; the bare file name when the system
    // has no application-data folder.
    static String DefaultPath(const String& programPath);

    // The section of the user running the program ("Default" when the system
    // cannot name the user).
    void UseUserSection();
    void UseSection(const String& name) { section_ = name; }

    // Whether key "Enable" of `section` (not the current one) is non-zero.
    bool IsEnabled(const char16_t* section) const;

    std::int32_t GetInt(const char16_t* key, std::int32_t defaultValue) const;
    bool GetBool(const char16_t* key, bool defaultValue) const;
    // The whole value however long it is.
    String GetString(const char16_t* key, const char16_t* defaultValue) const;
    // GetString, then the "#" form undone (see encoded_string.h).
    String GetEncodedString(const char16_t* key, const char16_t* defaultValue) const;

    bool PutInt(const char16_t* key, std::int32_t value) const;
    bool PutBool(const char16_t* key, bool value) const;
    // A value in double quotes gets one more pair, which reading strips again.
    bool PutString(const char16_t* key, const String& value) const;
    // The value in "#" form when the ANSI code page cannot hold it, then PutString.
    bool PutEncodedString(const char16_t* key, const String& value) const;

    const String& Path() const { return path_; }
    const String& Section() const { return section_; }

private:
    String path_;
    String section_;
};

// The section name for a user: the name, or "Default" when it is empty.
String UserSectionName(std::u16string_view userName);

}  // namespace pathbook
