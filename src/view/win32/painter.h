// The view's drawing on its window's kept device context (CS_OWNDC): it
// measures glyphs for Metrics and draws what the paint plan asks for with GDI.
// Fonts, brushes and the pen are built from the document type's settings; the
// font and text colour are selected only when they differ from the last ones,
// and every GDI call of a paint is counted for the benchmark.
#pragma once

#include <windows.h>

#include <cstdint>

#include "config/doc_type.h"
#include "config/view_palette.h"
#include "framework/handles.h"
#include "view/canvas.h"
#include "view/glyph_measurer.h"

namespace pathbook {

class Painter final : public GlyphMeasurer, public Canvas {
public:
    // `dc` is the window's own device context; it lives as long as the window.
    explicit Painter(HDC dc);
    ~Painter() override;
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    // Builds the three fonts from `look` at `dpi`, the brushes and the pen from `palette`.
    void Configure(const ViewSettings& look, const ViewPalette& palette, std::int32_t dpi);
    // New colours with the same fonts.
    void SetPalette(const ViewPalette& palette);

    // The record the normal font was built from (for the input method's composition font).
    const LOGFONTW& FontRecord() const { return fontRecord_; }

    // Resets the call count; a paint starts with nothing assumed selected.
    void BeginPaint();
    std::uint32_t GdiCalls() const { return gdiCalls_; }

    std::int32_t UnitWidth(char16_t unit) override;
    std::int32_t PairWidth(char16_t high, char16_t low) override;
    std::int32_t LineHeight() override;

    void Fill(const PixelRect& rect, Brush brush) override;
    void Text(std::int32_t x, std::int32_t top, const char16_t* units, const std::int32_t* advances,
              std::uint32_t count, TextFont font, ViewColor color) override;
    void MarginLine(std::int32_t x, std::int32_t top, std::int32_t bottom) override;
    void ControlMark(std::int32_t x, std::int32_t top, std::int32_t width, std::int32_t height) override;
    void Invert(const PixelRect& rect) override;
    void ClipTo(const PixelRect& rect) override;
    void ClearClip() override;

private:
    void UseFont(HFONT font);
    void UseColor(COLORREF color);
    HFONT FontFor(TextFont font) const;
    HBRUSH BrushFor(Brush brush) const;

    HDC dc_;
    HGDIOBJ originalFont_;
    LOGFONTW fontRecord_{};
    GdiObject<HFONT> fonts_[3];  // by TextFont
    GdiObject<HBRUSH> background_;
    GdiObject<HBRUSH> fileName_;
    GdiObject<HBRUSH> comment_;
    GdiObject<HBRUSH> crimson_;
    GdiObject<HPEN> pen_;
    GdiObject<HPEN> outline_;  // the U+0001 mark's
    COLORREF colors_[kViewColorCount] = {};
    HFONT currentFont_ = nullptr;
    COLORREF currentColor_ = CLR_INVALID;
    std::int32_t lineHeight_ = 1;
    std::uint32_t gdiCalls_ = 0;
};

}  // namespace pathbook
