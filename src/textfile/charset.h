// CharsetId: how the program names an encoding everywhere (settings, history,
// favourites, the command line, messages between instances).
#pragma once

#include <cstdint>

namespace pathbook {

// A positive value is a Windows code page; 0 = detect automatically (opening
// only); negative values are encodings the program handles itself.
using CharsetId = std::int32_t;

namespace charset {
constexpr CharsetId kAutoDetect = 0;
constexpr CharsetId kShiftJis = 932;
constexpr CharsetId kEucJp = -932;
constexpr CharsetId kIso2022Jp = -933;
constexpr CharsetId kUtf5 = -2;
constexpr CharsetId kUtf7 = 65000;
constexpr CharsetId kUtf8Bom = -65001;
constexpr CharsetId kUtf8 = 65001;
constexpr CharsetId kUtf16BeBom = -3;
constexpr CharsetId kUtf16LeBom = -4;
constexpr CharsetId kUtf16Be = -5;
constexpr CharsetId kUtf16Le = -6;
constexpr CharsetId kUtf32BeBom = -7;
constexpr CharsetId kUtf32LeBom = -8;
constexpr CharsetId kUtf32Be = -9;
constexpr CharsetId kUtf32Le = -10;
constexpr CharsetId kLatin1 = 1252;
constexpr CharsetId kIso2022Kr = -950;
constexpr CharsetId kIso2022Cn = -936;
constexpr CharsetId kHz = -937;
}  // namespace charset

// Line-end style, everywhere: 0 = CR, 1 = LF, 2 = CR LF.
enum class LineEnd : std::int32_t { kCr = 0, kLf = 1, kCrLf = 2 };

}  // namespace pathbook
