// The encodings the text-file fuzz targets pick from with their first byte.
#pragma once

#include <cstdint>

#include "textfile/charset.h"

namespace pathbook::fuzz {

constexpr CharsetId kCharsets[] = {
    charset::kAutoDetect, charset::kShiftJis,   charset::kEucJp,      charset::kIso2022Jp,  charset::kUtf5,
    charset::kUtf7,       charset::kUtf8Bom,    charset::kUtf8,       charset::kUtf16BeBom, charset::kUtf16LeBom,
    charset::kUtf16Be,    charset::kUtf16Le,    charset::kUtf32BeBom, charset::kUtf32LeBom, charset::kUtf32Be,
    charset::kUtf32Le,    charset::kLatin1,     1250,                 949,                  charset::kIso2022Kr,
    1361,                 936,                  charset::kIso2022Cn,  charset::kHz,         950,
    1251,                 20866,                21866,                874,                  1254,
    1257,                 1258,                 1253,                 437,
};
constexpr std::uint32_t kCharsetCount = sizeof kCharsets / sizeof kCharsets[0];

}  // namespace pathbook::fuzz
