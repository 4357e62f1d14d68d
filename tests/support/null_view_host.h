// A window layer for the view that does nothing but follow the scrolling, for
// benchmarks and fuzzers that drive the view's input without a window.
#pragma once

#include <string>

#include "view/caret_host.h"
#include "view/edit_view_core.h"

namespace pathbook::test {

struct NullViewHost : ViewHost, CaretHost {
    void Invalidate(const PixelRect&) override {}
    void ScrollBarsChanged() override {}
    void ScrollTo(Viewport viewport) override { core->ScrollTo(viewport); }
    void PlaceSystemCaret(std::int32_t, std::int32_t) override {}
    void CaretShapeChanged() override {}
    void ShowStatus(const std::u16string&) override {}
    void StartLinkResolution(const LinkRequest&) override {}
    void CursorChanged() override {}
    EditViewCore* core = nullptr;  // set once the core exists
};

}  // namespace pathbook::test
