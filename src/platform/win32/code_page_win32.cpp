#include <windows.h>

#include <climits>

#include "platform/code_page.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

// The system's calls take int counts; larger inputs go through in slices that
// end on a character boundary.
constexpr std::size_t kSlice = INT_MAX / 4;
constexpr char16_t kReplacement = 0xFFFD;

bool IsUnicodeCodePage(CodePage codePage) { return codePage == CP_UTF7 || codePage == CP_UTF8; }

// The unit the system gives bytes it cannot decode, besides U+FFFD ("・" in
// 932, "?" in most); remembered per code page.
char16_t UnicodeDefault(CodePage codePage) {
    struct Known {
        CodePage codePage;
        char16_t unit;
    };
    static Known known[16];
    static std::size_t count = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (known[i].codePage == codePage) return known[i].unit;
    }
    CPINFOEXW info = {};
    char16_t unit = GetCPInfoExW(codePage, 0, &info) ? static_cast<char16_t>(info.UnicodeDefaultChar) : kReplacement;
    if (count < sizeof known / sizeof known[0]) known[count++] = {codePage, unit};
    return unit;
}

bool HoldsUnit(const char16_t* units, std::size_t count, char16_t a, char16_t b) {
    for (std::size_t i = 0; i < count; ++i) {
        if (units[i] == a || units[i] == b) return true;
    }
    return false;
}

// Whether the system refuses `bytes` when asked to fail on what it would
// replace. Only asked once a decoded stretch holds a replacement, so that the
// strict conversion (slower under some systems) stays off the common path.
bool RefusedWhenStrict(CodePage codePage, const char* bytes, int count) {
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, count, nullptr, 0) == 0 &&
           GetLastError() == ERROR_NO_UNICODE_TRANSLATION;
}

}  // namespace

bool IsValidCodePage(CodePage codePage) { return ::IsValidCodePage(codePage) != FALSE; }

CodePage AnsiCodePage() { return ::GetACP(); }

bool OverrideAnsiCodePage(CodePage) { return false; }

std::size_t DecodeCodePage(CodePage codePage, const std::uint8_t* bytes, std::size_t count,
                           char16_t* out, std::size_t capacity, bool* replaced) {
    if (replaced != nullptr) *replaced = false;
    std::size_t needed = 0;
    while (count > 0) {
        std::size_t slice = count;
        if (slice > kSlice) {
            // Cut after a whole character so that no sequence is split.
            const std::uint8_t* at = bytes;
            while (static_cast<std::size_t>(at - bytes) < kSlice) at = NextCharacter(codePage, at, bytes + count);
            slice = static_cast<std::size_t>(at - bytes);
        }
        std::size_t room = needed < capacity ? capacity - needed : 0;
        const char* from = reinterpret_cast<const char*>(bytes);
        int in = static_cast<int>(slice);
        int length = 0;
        bool stored = false;
        if (room >= slice) {
            // No code page makes more units than bytes: this always fits.
            length = MultiByteToWideChar(codePage, 0, from, in, win32::Wide(out + needed), in);
            stored = true;
        } else {
            length = MultiByteToWideChar(codePage, 0, from, in, nullptr, 0);
            if (room >= static_cast<std::size_t>(length)) {
                MultiByteToWideChar(codePage, 0, from, in, win32::Wide(out + needed), length);
                stored = true;
            }
        }
        if (replaced != nullptr && !*replaced) {
            bool suspect = !stored || HoldsUnit(out + needed, static_cast<std::size_t>(length), kReplacement,
                                                UnicodeDefault(codePage));
            *replaced = suspect && RefusedWhenStrict(codePage, from, in);
        }
        needed += static_cast<std::size_t>(length);
        bytes += slice;
        count -= slice;
    }
    return needed;
}

std::size_t EncodeCodePage(CodePage codePage, const char16_t* units, std::size_t count,
                           std::uint8_t* out, std::size_t capacity, bool* usedDefault) {
    if (usedDefault != nullptr) *usedDefault = false;
    std::size_t needed = 0;
    while (count > 0) {
        std::size_t slice = count > kSlice ? kSlice : count;
        if (slice < count && units[slice - 1] >= 0xD800 && units[slice - 1] <= 0xDBFF) --slice;
        BOOL defaulted = FALSE;
        // UTF-7 and UTF-8 take no default-character flag; UTF-8 tells of an
        // unpaired surrogate by failing when asked to.
        BOOL* defaultFlag = IsUnicodeCodePage(codePage) ? nullptr : &defaulted;
        DWORD flags = codePage == CP_UTF8 && usedDefault != nullptr ? WC_ERR_INVALID_CHARS : 0;
        const wchar_t* from = win32::Wide(units);
        int in = static_cast<int>(slice);
        std::size_t room = needed < capacity ? capacity - needed : 0;
        int roomInt = room > INT_MAX ? INT_MAX : static_cast<int>(room);
        auto convert = [&](char* to, int size) {
            return WideCharToMultiByte(codePage, flags, from, in, to, size, nullptr, defaultFlag);
        };
        // Straight into the caller's buffer; the size is asked for only when it is too small.
        int length = room > 0 ? convert(reinterpret_cast<char*>(out + needed), roomInt) : 0;
        if (length == 0 && flags != 0 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION) {
            defaulted = TRUE;
            flags = 0;
            length = room > 0 ? convert(reinterpret_cast<char*>(out + needed), roomInt) : 0;
        }
        if (length == 0) {
            length = convert(nullptr, 0);
            if (length == 0 && flags != 0 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION) {
                defaulted = TRUE;
                flags = 0;
                length = convert(nullptr, 0);
            }
        }
        if (defaulted && usedDefault != nullptr) *usedDefault = true;
        needed += static_cast<std::size_t>(length);
        units += slice;
        count -= slice;
    }
    return needed;
}

const std::uint8_t* NextCharacter(CodePage codePage, const std::uint8_t* at, const std::uint8_t* end) {
    if (at >= end) return end;
    auto* next = reinterpret_cast<const std::uint8_t*>(
        CharNextExA(static_cast<WORD>(codePage), reinterpret_cast<const char*>(at), 0));
    // CharNextExA stops at a NUL byte and may step over the end of the range.
    if (next <= at) next = at + 1;
    return next > end ? end : next;
}

}  // namespace pathbook::platform
