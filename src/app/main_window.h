// The program's one top-level window per process. Instances find each other
// by its class, "Pathbook MainWnd".
#pragma once

#include "app/framework/window.h"
#include "runtime/string.h"
#include "textfile/charset.h"

namespace pathbook {

class MainWindow : public Window {
public:
    MainWindow();
    ~MainWindow() override;

    // Creates the window for `file` (empty: a new document) and sets it up.
    // `line` is a 1-based line to jump to, or -1.
    void Create(const String& file, CharsetId charset, std::int32_t line);

    bool PreTranslate(MSG& message) override;

protected:
    bool OnCommand(WORD id, LPARAM lParam) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Closes the window unless the user keeps the document open.
    void Exit();
    void UpdateTitle();

    HACCEL accelTable_ = nullptr;
};

}  // namespace pathbook
