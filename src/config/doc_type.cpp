#include "config/doc_type.h"

#include "config/view_palette.h"

namespace pathbook {

DocType DefaultDocType(const String& name) {
    DocType type;
    type.name = name;
    type.layoutFile = u"default.lay";
    ViewSettings& look = type.appearance;
    look.font.faceName = u"FixedSys";
    look.pointSize = 14;
    look.tabWidth = 4;
    static constexpr std::uint8_t kFlags[kViewFlagCount] = {1, 1, 0, 0, 0};
    const ViewPalette light = LightPalette();
    for (int i = 0; i < kViewColorCount; ++i) look.colors[i] = light.colors[i];
    for (int i = 0; i < kViewFlagCount; ++i) look.flags[i] = kFlags[i];
    type.wrapMode = kNoWrap;
    type.wrapWidth = 80;
    type.lineNumbers = 0;
    return type;
}

std::int32_t FontHeightForPoints(std::int32_t points, std::int32_t pixelsPerInch) {
    std::int64_t product = static_cast<std::int64_t>(points) * pixelsPerInch;
    std::int64_t magnitude = (product < 0 ? -product : product) + 36;
    std::int64_t rounded = magnitude / 72;
    return static_cast<std::int32_t>(product < 0 ? rounded : -rounded);
}

void DocTypeList::CutToDefault() {
    types_.resize(1);
    current_ = 0;
}

}  // namespace pathbook
