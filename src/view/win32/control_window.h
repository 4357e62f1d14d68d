// "TextLoom Control-01": the sunken frame that holds the view. It keeps the
// view filling its client area, hands the keyboard focus on to it, and answers
// what accessibility tools and automation send an edit control (WM_CUT,
// WM_COPY, WM_PASTE, WM_UNDO, EM_UNDO, EM_CANUNDO, EM_SETREADONLY), sent to it
// or to the view, through its owner's EditMessageSink.
#pragma once

#include <windows.h>

#include "framework/window.h"
#include "document/document.h"
#include "view/win32/view_window.h"

namespace pathbook {

// What an edit-like control does for those messages; the owner implements it.
class EditMessageSink {
public:
    virtual ~EditMessageSink() = default;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    // True when a step was undone.
    virtual bool Undo() = 0;
    virtual bool CanUndo() const = 0;
    // True when the state is now as asked.
    virtual bool SetReadOnly(bool readOnly) = 0;
};

class ControlWindow final : public Window {
public:
    // `document` outlives the window.
    explicit ControlWindow(Document& document);
    ~ControlWindow() override;

    bool Create(HWND parent, int id);
    ViewWindow& View() { return view_; }
    const ViewWindow& View() const { return view_; }
    // Null (the default) leaves those messages to the default handling.
    void SetEditMessageSink(EditMessageSink* sink) { sink_ = sink; }

protected:
    void OnCreate(CREATESTRUCTW&) override;
    bool OnSize(UINT type, int width, int height) override;
    bool OnFocus(bool gained) override;
    bool OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    ViewWindow view_;
    EditMessageSink* sink_ = nullptr;
};

}  // namespace pathbook
