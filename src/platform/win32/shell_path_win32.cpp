#include <windows.h>
#include <shlwapi.h>

#include "platform/shell_path.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

using win32::Utf16;
using win32::Wide;

constexpr std::size_t kMaxPathText = static_cast<std::size_t>(kMaxPathUnits - 1);

// The text as it fits a MAX_PATH buffer.
void CopyCut(std::u16string_view text, wchar_t (&buffer)[MAX_PATH]) {
    std::size_t count = text.size() < kMaxPathText ? text.size() : kMaxPathText;
    text.copy(reinterpret_cast<char16_t*>(buffer), count);
    buffer[count] = 0;
}

}  // namespace

std::u16string CanonicalizePath(std::u16string_view path) {
    wchar_t source[MAX_PATH];
    CopyCut(path, source);
    wchar_t result[MAX_PATH];
    if (!PathCanonicalizeW(result, source)) return Utf16(source);
    return Utf16(result);
}

std::u16string AppendPath(std::u16string_view path, std::u16string_view more) {
    wchar_t joined[MAX_PATH];
    CopyCut(path, joined);
    std::u16string appended(more);
    if (!PathAppendW(joined, Wide(appended.c_str()))) {
        // Too long for the buffer: join by hand and cut, rather than keep the
        // base alone as if nothing had been appended.
        std::u16string text(path);
        std::size_t skip = 0;
        while (skip < more.size() && (more[skip] == u'\\' || more[skip] == u'/')) ++skip;
        if (!text.empty() && text.back() != u'\\' && text.back() != u'/') text += u'\\';
        text.append(more.substr(skip));
        CopyCut(text, joined);
    }
    return CanonicalizePath(Utf16(joined));
}

std::u16string ExpandEnvironment(std::u16string_view text) {
    std::u16string source(text);
    DWORD needed = ExpandEnvironmentStringsW(Wide(source.c_str()), nullptr, 0);
    if (needed == 0) return source.substr(0, kMaxPathText);
    std::u16string expanded(needed, u'\0');
    DWORD written = ExpandEnvironmentStringsW(Wide(source.c_str()), Wide(&expanded[0]), needed);
    if (written == 0 || written > needed) return source.substr(0, kMaxPathText);
    expanded.resize(written - 1);
    if (expanded.size() > kMaxPathText) expanded.resize(kMaxPathText);
    return expanded;
}

bool CompactPathForDisplay(std::u16string* path, std::int32_t maxUnits) {
    using CompactFunction = BOOL(WINAPI*)(LPWSTR, LPCWSTR, UINT, DWORD);
    HMODULE library = LoadLibraryW(L"shlwapi.dll");
    if (library == nullptr) return false;
    auto compact = reinterpret_cast<CompactFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "PathCompactPathExW")));
    bool done = false;
    if (compact != nullptr && maxUnits > 0) {
        std::u16string source(*path);
        std::u16string result(static_cast<std::size_t>(maxUnits), u'\0');
        if (compact(Wide(&result[0]), Wide(source.c_str()), static_cast<UINT>(maxUnits), 0)) {
            result.resize(std::char_traits<char16_t>::length(result.c_str()));
            *path = std::move(result);
            done = true;
        }
    }
    FreeLibrary(library);
    return done;
}

}  // namespace pathbook::platform
