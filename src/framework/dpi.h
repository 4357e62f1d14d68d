// The dots per inch a window is drawn at. The program declares itself aware
// of each monitor's DPI (per-monitor v2, in its manifest): every size it
// computes in pixels follows the DPI of the window's monitor, and WM_DPICHANGED
// says when that changes. The calls of newer systems are looked up at run
// time; without them the screen's DPI stands for every window's.
#pragma once

#include <windows.h>

namespace pathbook {

// The window's DPI (96 at 100 %); the screen's when the system cannot say.
UINT WindowDpi(HWND window);
// GetSystemMetrics(`index`) at `dpi`: the system's own value where it can give
// one, else the value at the screen's DPI scaled.
int SystemMetricForDpi(int index, UINT dpi);
// The font of message boxes and status bars at `dpi`.
LOGFONTW MessageFontForDpi(UINT dpi);

// Owns the font a control draws its text with (WM_SETFONT), made for one DPI.
class ControlFont {
public:
    ControlFont() = default;
    ~ControlFont();
    ControlFont(const ControlFont&) = delete;
    ControlFont& operator=(const ControlFont&) = delete;
    // Makes the message font for `dpi` and gives it to `control`; the old font
    // goes once the control no longer uses it.
    void Apply(HWND control, UINT dpi);

private:
    HFONT font_ = nullptr;
};

}  // namespace pathbook
