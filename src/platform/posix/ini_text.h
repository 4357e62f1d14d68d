// The text of an INI file in the POSIX build (UTF-8), read and edited with the
// rules of the Windows private-profile functions: lines end with LF or CR LF;
// "[name]" opens a section; "key=value" sets a key; blanks around names and
// values are dropped; one pair of matching double or single quotes around a
// value is stripped; lines starting with ";" and other lines without "=" are
// kept but mean nothing. Section and key names compare without regard to ASCII
// letter case, and the first match counts.
#pragma once

#include <string>
#include <string_view>

namespace pathbook::platform::posix {

class IniText {
public:
    explicit IniText(std::string text) : text_(std::move(text)) {}

    // The value of `key` in `section`; false when either is missing.
    bool Find(std::u16string_view section, std::u16string_view key, std::u16string* value) const;

    // Replaces the first `key` of `section`, or adds it after the section's last
    // entry, or adds the section at the end. A value is cut at a line break so
    // that it can never start a line of its own.
    void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

}  // namespace pathbook::platform::posix
