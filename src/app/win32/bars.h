// The status bar and the menu-bar toolbar of the main window. Both are child
// controls destroyed with the main window; if one cannot be created the window
// runs without it (its height counts as 0).
#pragma once

#include <windows.h>

#include "framework/dpi.h"
#include "framework/handles.h"
#include "runtime/string.h"

namespace pathbook {

class StatusBar {
public:
    // Creates the bar (child id 1787, with a sizing grip, empty text).
    void Create(HWND parent);
    HWND Handle() const { return bar_; }
    // Lets the bar place itself, divides it into three parts and re-sends the
    // encoding and line-end texts; the bar's height, or 0 when hidden.
    int Layout(bool maximized);
    // The window moved to a monitor of another DPI: a font made for it.
    void SetDpi(UINT dpi);
    void SetText(int part, const String& text);
    // Parts 1 and 2, remembered for the next layout.
    void SetCodes(const String& encoding, const String& lineEnd);
    void Show(bool visible);
    bool Visible() const { return visible_; }

private:
    HWND bar_ = nullptr;
    bool visible_ = true;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    ControlFont font_;
    String encoding_;
    String lineEnd_;
};

class MenuBar {
public:
    // Builds the toolbar (child id 30000) from the top-level items of menu
    // `menuId`: separators stay separators, pop-ups get ids from
    // `firstPopupId` on (a split button, or a plain button when the item is a
    // menu-bar break), plain items keep their command ids.
    void Build(HWND parent, int menuId, int firstPopupId);
    HWND Handle() const { return bar_; }
    // Lets the toolbar place itself; its height, or 0 when there is none.
    int Layout();
    // The window moved to a monitor of another DPI: a font made for it, the
    // buttons sized to their texts again.
    void SetDpi(UINT dpi);
    // The pop-up of button `id`, or null.
    HMENU PopupOf(int id) const;
    // Whether `id` is a pop-up button without a split arrow (its click drops the pop-up down).
    bool DropsDownOnClick(int id) const;
    // Drops the pop-up of `id` down below the button, owned by the toolbar.
    void ShowDropDown(int id) const;
    void SetEnabled(int id, bool enabled);
    void SetIndeterminate(int id, bool indeterminate);

private:
    HWND bar_ = nullptr;
    Menu menu_;  // holds the pop-ups the buttons drop down
    ControlFont font_;
};

}  // namespace pathbook
