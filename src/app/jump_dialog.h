// Jump to line (dialog 109): centred over its owner, the focus in the line box.
#pragma once

#include <cstdint>

#include "app/framework/dialog.h"

namespace pathbook {

class JumpDialog final : public Dialog {
public:
    JumpDialog();
    // The 1-based line typed, read when Go! was pressed.
    std::int32_t Line() const { return line_; }

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    std::int32_t line_ = 0;
};

}  // namespace pathbook
