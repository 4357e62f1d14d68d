// "TextLoom Control-01": the sunken frame that holds the view. It keeps the
// view filling its client area and hands the keyboard focus on to it.
#pragma once

#include <windows.h>

#include "framework/window.h"
#include "document/document.h"
#include "view/win32/view_window.h"

namespace pathbook {

class ControlWindow final : public Window {
public:
    // `document` outlives the window.
    explicit ControlWindow(Document& document);
    ~ControlWindow() override;

    bool Create(HWND parent, int id);
    ViewWindow& View() { return view_; }
    const ViewWindow& View() const { return view_; }

protected:
    void OnCreate(CREATESTRUCTW&) override;
    bool OnSize(UINT type, int width, int height) override;
    bool OnFocus(bool gained) override;

private:
    ViewWindow view_;
};

}  // namespace pathbook
