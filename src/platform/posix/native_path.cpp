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

}  // namespace pathbook::platform::posix
