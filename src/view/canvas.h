// The drawing seam of the view: what the window layer's painter does on its
// device context. Calls come in painting order; coordinates are client pixels,
// already clamped to 32 bits and close to the update rectangle.
#pragma once

#include <cstdint>

#include "config/doc_type.h"

namespace pathbook {

struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PixelRect& a, const PixelRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// The three fonts built from the document type's font.
enum class TextFont { kNormal, kLink, kMissingLink };  // link: underlined; missing: underlined and struck out

// The background brush (colour slot kBackgroundColor) and the fixed highlight brushes.
enum class Brush {
    kBackground,
    kFileName,  // light yellow RGB(255,255,128): the file-name part of a path link
    kComment,   // light blue RGB(200,220,255): highlighting value 1
    kCrimson,   // crimson RGB(219,53,97): highlighting value 3
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void Fill(const PixelRect& rect, Brush brush) = 0;
    // One run of units drawn from (x, top) with the given advances (one per
    // unit; the low half of a surrogate pair has 0), so every unit lands
    // exactly where measuring put it. The painter selects font and colour
    // only when they differ from its last ones.
    virtual void Text(std::int32_t x, std::int32_t top, const char16_t* units, const std::int32_t* advances,
                      std::uint32_t count, TextFont font, ViewColor color) = 0;
    // The margin's separator, a vertical line in colour slot kMarkColor.
    virtual void MarginLine(std::int32_t x, std::int32_t top, std::int32_t bottom) = 0;
    // The mark of U+0001: a right-pointing triangle with corners (x, top + 2),
    // (x, top + height - 2) and (x + width - 1, top + height / 2), filled with
    // the background brush and outlined in black.
    virtual void ControlMark(std::int32_t x, std::int32_t top, std::int32_t width, std::int32_t height) = 0;
    // Inverts the pixels of `rect` (the selection).
    virtual void Invert(const PixelRect& rect) = 0;
    // Restricts drawing to `rect` until ClearClip.
    virtual void ClipTo(const PixelRect& rect) = 0;
    virtual void ClearClip() = 0;
};

}  // namespace pathbook
