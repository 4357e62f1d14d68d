#include "app/status_parts.h"

#include "config/dpi_scale.h"

namespace pathbook {

std::array<std::int32_t, 3> StatusPartEdges(std::int32_t barWidth, bool maximized, std::int32_t codeWidth,
                                            std::int32_t lineEndWidth, std::int32_t dpi) {
    std::int32_t width = maximized ? barWidth : barWidth - ScaleToDpi(15, dpi);
    std::int32_t lineEndRight = width - ScaleToDpi(5, dpi);
    std::int32_t codeRight = lineEndRight - lineEndWidth;
    return {codeRight - codeWidth, codeRight, lineEndRight};
}

String EncodingShortCode(const EncodingList& encodings, std::int32_t row) {
    if (row < 0 || row >= encodings.Count()) return String();
    return String(encodings[row].shortCode);
}

String LineEndName(std::int32_t lineBreak) {
    static const char16_t* const kNames[] = {u"CR", u"LF", u"CRLF"};
    return lineBreak >= 0 && lineBreak < 3 ? String(kNames[lineBreak]) : String();
}

}  // namespace pathbook
