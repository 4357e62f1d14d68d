// Reopen (dialog 107): the encodings offered for saving, the window's own
// selected; OK gives the chosen one.
#pragma once

#include "framework/dialog.h"
#include "textfile/charset.h"
#include "textfile/encoding_list.h"

namespace pathbook {

class ReopenDialog final : public Dialog {
public:
    ReopenDialog(const EncodingList& encodings, CharsetId current);
    CharsetId Chosen() const { return chosen_; }

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    const EncodingList& encodings_;
    CharsetId chosen_;
};

}  // namespace pathbook
