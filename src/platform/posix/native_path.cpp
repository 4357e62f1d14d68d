#include "platform/posix/native_path.h"

#include <string_view>

#include "runtime/utf8.h"

namespace pathbook::platform::posix {

std::string NativePath(const char16_t* path) {
    std::string native = Utf16ToUtf8(std::u16string_view(path));
    if (native.size() >= 2 && (native[0] == 'Z' || native[0] == 'z') && native[1] == ':') {
        native.erase(0, 2);
        if (native.empty()) native = "/";
    }
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    return native;
}

std::u16string WindowsPath(const std::string& native) {
    std::u16string path = u"Z:" + Utf8ToUtf16(native);
    for (char16_t& c : path) {
        if (c == u'/') c = u'\\';
    }
    return path;
}

bool NamesOtherDrive(const char16_t* path) {
    return path[0] != 0 && path[1] == u':' && path[0] != u'Z' && path[0] != u'z';
}

}  // namespace pathbook::platform::posix
