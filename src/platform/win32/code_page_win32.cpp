#include <windows.h>

#include <climits>

#include "platform/code_page.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

// The system's calls take int counts; larger inputs go through in slices that
// end on a character boundary.
constexpr std::size_t kSlice = INT_MAX / 4;

bool IsUnicodeCodePage(CodePage codePage) { return codePage == CP_UTF7 || codePage == CP_UTF8; }

}  // namespace

bool IsValidCodePage(CodePage codePage) { return ::IsValidCodePage(codePage) != FALSE; }

CodePage AnsiCodePage() { return ::GetACP(); }

bool OverrideAnsiCodePage(CodePage) { return false; }

std::size_t DecodeCodePage(CodePage codePage, const std::uint8_t* bytes, std::size_t count,
                           char16_t* out, std::size_t capacity) {
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
        if (room >= slice) {
            // No code page makes more units than bytes: this always fits.
            length = MultiByteToWideChar(codePage, 0, from, in, win32::Wide(out + needed), in);
        } else {
            length = MultiByteToWideChar(codePage, 0, from, in, nullptr, 0);
            if (room >= static_cast<std::size_t>(length)) {
                MultiByteToWideChar(codePage, 0, from, in, win32::Wide(out + needed), length);
            }
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
        // UTF-7 and UTF-8 take no default-character flag.
        BOOL* defaultFlag = IsUnicodeCodePage(codePage) ? nullptr : &defaulted;
        int length = WideCharToMultiByte(codePage, 0, win32::Wide(units), static_cast<int>(slice), nullptr, 0,
                                         nullptr, defaultFlag);
        std::size_t room = needed < capacity ? capacity - needed : 0;
        if (room >= static_cast<std::size_t>(length)) {
            WideCharToMultiByte(codePage, 0, win32::Wide(units), static_cast<int>(slice),
                                reinterpret_cast<char*>(out + needed), length, nullptr, defaultFlag);
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
