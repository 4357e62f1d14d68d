#include "config/ini_file.h"

#include <string>

#include "config/encoded_string.h"
#include "platform/profile.h"
#include "platform/shell_folder.h"
#include "platform/user_name.h"
#include "runtime/decimal.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kFirstReadCapacity = 256;

// The program file's name without folder and extension.
std::u16string FileTitle(std::u16string_view path) {
    std::size_t slash = path.find_last_of(u"\\/");
    std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind(u'.');
    return std::u16string(dot == std::u16string_view::npos ? name : name.substr(0, dot));
}

bool IsQuoted(const String& value) {
    return value.Length() >= 1 && value[0] == u'"' && value[value.Length() - 1] == u'"';
}

}  // namespace

String IniFile::DefaultPath(const String& programPath) {
    return String(platform::AppDataFilePath(FileTitle(programPath.View()) + u".ini"));
}

String UserSectionName(std::u16string_view userName) {
    return userName.empty() ? String(u"Default") : String(userName);
}

void IniFile::UseUserSection() { section_ = UserSectionName(platform::CurrentUserName()); }

bool IniFile::IsEnabled(const char16_t* section) const {
    return platform::ReadIniInt(path_.Chars(), section, u"Enable", 0) != 0;
}

std::int32_t IniFile::GetInt(const char16_t* key, std::int32_t defaultValue) const {
    return platform::ReadIniInt(path_.Chars(), section_.Chars(), key, defaultValue);
}

bool IniFile::GetBool(const char16_t* key, bool defaultValue) const {
    return GetInt(key, defaultValue ? 1 : 0) != 0;
}

// The system cuts a value to the buffer and reports capacity - 1; a result that
// close to the capacity may have been cut, so the read is repeated with twice
// the room until it is not.
String IniFile::GetString(const char16_t* key, const char16_t* defaultValue) const {
    std::u16string buffer(kFirstReadCapacity, u'\0');
    auto read = [&] {
        return platform::ReadIniString(path_.Chars(), section_.Chars(), key, defaultValue, buffer.data(),
                                           static_cast<std::uint32_t>(buffer.size()));
    };
    std::uint32_t length = read();
    if (length > kFirstReadCapacity - 2) {
        do {
            buffer.assign(buffer.size() * 2, u'\0');
            length = read();
        } while (length >= buffer.size() - 1);
    }
    return String(buffer.data(), static_cast<std::int32_t>(length));
}

String IniFile::GetEncodedString(const char16_t* key, const char16_t* defaultValue) const {
    return String(DecodeSettingValue(GetString(key, defaultValue).View()));
}

bool IniFile::PutInt(const char16_t* key, std::int32_t value) const {
    return platform::WriteIniString(path_.Chars(), section_.Chars(), key, FormatDecimal(value).c_str());
}

bool IniFile::PutBool(const char16_t* key, bool value) const {
    return platform::WriteIniString(path_.Chars(), section_.Chars(), key, value ? u"1" : u"0");
}

bool IniFile::PutString(const char16_t* key, const String& value) const {
    String stored = IsQuoted(value) ? u"\"" + value + u"\"" : value;
    return platform::WriteIniString(path_.Chars(), section_.Chars(), key, stored.Chars());
}

bool IniFile::PutEncodedString(const char16_t* key, const String& value) const {
    return PutString(key, String(EncodeSettingValue(value.View())));
}

}  // namespace pathbook
