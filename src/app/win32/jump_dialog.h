// Jump to line (dialog 109): centred over its owner, the focus in the line box.
// Go! takes a line number; anything else keeps the dialog open.
#pragma once

#include <cstdint>

#include "framework/dialog.h"

namespace pathbook {

class JumpDialog final : public Dialog {
public:
    JumpDialog();
    // The 1-based line typed, read when Go! was pressed (the largest int32
    // for a number too large; the editor clamps it to its last line).
    std::int32_t Line() const { return line_; }

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    std::int32_t line_ = 0;
};

}  // namespace pathbook
