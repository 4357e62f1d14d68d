#include "view/win32/painter.h"

#include <algorithm>
#include <cwchar>

#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

LOGFONTW MakeFontRecord(const ViewSettings& look, std::int32_t dpi) {
    const FontDescription& font = look.font;
    LOGFONTW record{};
    record.lfHeight = font.height != 0 ? font.height : FontHeightForPoints(look.pointSize, dpi);
    record.lfWidth = font.width;
    record.lfEscapement = font.escapement;
    record.lfOrientation = font.orientation;
    record.lfWeight = font.weight;
    record.lfCharSet = font.charSet;
    record.lfPitchAndFamily = font.pitchAndFamily;
    const std::size_t length = std::min<std::size_t>(font.faceName.View().size(), LF_FACESIZE - 1);
    std::wmemcpy(record.lfFaceName, Wide(font.faceName.Chars()), length);
    record.lfFaceName[length] = L'\0';
    return record;
}

RECT ToRect(const PixelRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

Painter::Painter(HDC dc) : dc_(dc), originalFont_(GetCurrentObject(dc, OBJ_FONT)) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

Painter::~Painter() {
    // The kept context outlives nothing it holds: give it back its own objects.
    SelectObject(dc_, originalFont_);
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
}

void Painter::Configure(const ViewSettings& look, const ViewPalette& palette, std::int32_t dpi) {
    LOGFONTW record = MakeFontRecord(look, dpi);
    fontRecord_ = record;
    GdiObject<HFONT> normal(CreateFontIndirectW(&record));
    record.lfUnderline = TRUE;
    GdiObject<HFONT> link(CreateFontIndirectW(&record));
    record.lfStrikeOut = TRUE;
    GdiObject<HFONT> missing(CreateFontIndirectW(&record));
    if (!normal || !link || !missing) {
        // A face the system cannot build still leaves the view a font to draw with.
        LOGFONTW fallback{};
        fallback.lfHeight = record.lfHeight;
        normal.Reset(CreateFontIndirectW(&fallback));
        fallback.lfUnderline = TRUE;
        link.Reset(CreateFontIndirectW(&fallback));
        fallback.lfStrikeOut = TRUE;
        missing.Reset(CreateFontIndirectW(&fallback));
    }
    SelectObject(dc_, normal.Get());
    currentFont_ = normal.Get();
    fonts_[static_cast<int>(TextFont::kNormal)] = std::move(normal);
    fonts_[static_cast<int>(TextFont::kLink)] = std::move(link);
    fonts_[static_cast<int>(TextFont::kMissingLink)] = std::move(missing);

    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = std::max<LONG>(metrics.tmHeight, 1);

    SetPalette(palette);
}

void Painter::SetPalette(const ViewPalette& palette) {
    for (int i = 0; i < kViewColorCount; ++i) colors_[i] = palette.colors[i] & 0x00FFFFFF;
    background_.Reset(CreateSolidBrush(colors_[kBackgroundColor]));
    fileName_.Reset(CreateSolidBrush(palette.fills[kFileNameFill] & 0x00FFFFFF));
    comment_.Reset(CreateSolidBrush(palette.fills[kCommentFill] & 0x00FFFFFF));
    crimson_.Reset(CreateSolidBrush(palette.fills[kCrimsonFill] & 0x00FFFFFF));
    outline_.Reset(CreatePen(PS_SOLID, 1, colors_[kTextColor]));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colors_[kMarkColor]));
    SelectObject(dc_, pen.Get());
    pen_ = std::move(pen);
    currentColor_ = CLR_INVALID;
}

void Painter::BeginPaint() {
    gdiCalls_ = 0;
    // Measuring between paints may have left another font selected; the
    // tracked one stays right, only the colour is set anew.
    currentColor_ = CLR_INVALID;
}

std::int32_t Painter::UnitWidth(char16_t unit) {
    UseFont(FontFor(TextFont::kNormal));
    if (unit >= 0xD800 && unit <= 0xDFFF) {
        SIZE size{};
        GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(&unit), 1, &size);
        return size.cx;
    }
    INT width = 0;
    if (!GetCharWidth32W(dc_, unit, unit, &width)) return 0;
    return width;
}

std::int32_t Painter::PairWidth(char16_t high, char16_t low) {
    UseFont(FontFor(TextFont::kNormal));
    const wchar_t pair[2] = {static_cast<wchar_t>(high), static_cast<wchar_t>(low)};
    SIZE size{};
    GetTextExtentPoint32W(dc_, pair, 2, &size);
    return size.cx;
}

std::int32_t Painter::LineHeight() { return lineHeight_; }

void Painter::Fill(const PixelRect& rect, Brush brush) {
    const RECT area = ToRect(rect);
    FillRect(dc_, &area, BrushFor(brush));
    ++gdiCalls_;
}

void Painter::Text(std::int32_t x, std::int32_t top, const char16_t* units, const std::int32_t* advances,
                   std::uint32_t count, TextFont font, ViewColor color) {
    UseFont(FontFor(font));
    UseColor(colors_[color]);
    static_assert(sizeof(INT) == sizeof(std::int32_t), "advances go to the system as they are");
    ExtTextOutW(dc_, x, top, 0, nullptr, Wide(units), count, reinterpret_cast<const INT*>(advances));
    ++gdiCalls_;
}

void Painter::MarginLine(std::int32_t x, std::int32_t top, std::int32_t bottom) {
    MoveToEx(dc_, x, top, nullptr);
    LineTo(dc_, x, bottom);
    gdiCalls_ += 2;
}

void Painter::ControlMark(std::int32_t x, std::int32_t top, std::int32_t width, std::int32_t height) {
    const POINT corners[3] = {{x, top + 2}, {x, top + height - 2}, {x + width - 1, top + height / 2}};
    HGDIOBJ oldBrush = SelectObject(dc_, background_.Get());
    // Outlined in the text's colour: black in the light scheme, seen on dark backgrounds too.
    SelectObject(dc_, outline_.Get());
    Polygon(dc_, corners, 3);
    SelectObject(dc_, pen_.Get());
    SelectObject(dc_, oldBrush);
    gdiCalls_ += 5;
}

void Painter::Invert(const PixelRect& rect) {
    const RECT area = ToRect(rect);
    InvertRect(dc_, &area);
    ++gdiCalls_;
}

void Painter::ClipTo(const PixelRect& rect) {
    IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
    ++gdiCalls_;
}

void Painter::ClearClip() {
    SelectClipRgn(dc_, nullptr);
    ++gdiCalls_;
}

void Painter::UseFont(HFONT font) {
    if (font == currentFont_) return;
    SelectObject(dc_, font);
    currentFont_ = font;
    ++gdiCalls_;
}

void Painter::UseColor(COLORREF color) {
    if (color == currentColor_) return;
    SetTextColor(dc_, color);
    currentColor_ = color;
    ++gdiCalls_;
}

HFONT Painter::FontFor(TextFont font) const { return fonts_[static_cast<int>(font)].Get(); }

HBRUSH Painter::BrushFor(Brush brush) const {
    switch (brush) {
        case Brush::kFileName: return fileName_.Get();
        case Brush::kComment: return comment_.Get();
        case Brush::kCrimson: return crimson_.Get();
        case Brush::kBackground: break;
    }
    return background_.Get();
}

}  // namespace pathbook
