// The question before a linked program runs (dialog 115): the resolved path
// in a read-only box, a note when it lies on another machine, and three
// answers. Cancel is the default button and holds the focus, so Enter and
// Escape both leave the program alone; running it takes its own button.
#pragma once

#include "app/link_opening.h"
#include "framework/dialog.h"
#include "runtime/string.h"

namespace pathbook {

class RunProgramDialog final : public Dialog {
public:
    RunProgramDialog(const String& path, bool share);
    // The answer, once the dialog has ended (kCancel when it could not be shown).
    RunAnswer Answer() const { return answer_; }

protected:
    void OnInit() override;
    bool OnCommand(WORD notifyCode, WORD id, HWND control) override;

private:
    String path_;
    bool share_;
    RunAnswer answer_ = RunAnswer::kCancel;
};

}  // namespace pathbook
