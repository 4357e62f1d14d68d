// The question before a save that would lose characters (dialog 120): the
// first lost characters with their places in a read-only box, and three
// answers. Cancel is the default button and holds the focus, so Enter and
// Escape both leave the file as it was; the losses take their own button.
#pragma once

#include "app/save_questions.h"
#include "framework/dialog.h"
#include "runtime/string.h"

namespace pathbook {

class LossySaveDialog final : public Dialog {
public:
    // `lostText` names the lost characters; without `offerUtf8` the UTF-8 button is off.
    LossySaveDialog(const String& lostText, bool offerUtf8);
    // The answer, once the dialog has ended (kCancel when it could not be shown).
    LossAnswer Answer() const { return answer_; }

protected:
    void OnInit() override;
    bool OnCommand(WORD notifyCode, WORD id, HWND control) override;

private:
    String lostText_;
    bool offerUtf8_;
    LossAnswer answer_ = LossAnswer::kCancel;
};

}  // namespace pathbook
