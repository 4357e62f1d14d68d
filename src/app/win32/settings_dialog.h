// The editor settings (dialog 110, "エディタ設定"): shows the settings as the
// file holds them now and, on OK, stores them and writes the file.
#pragma once

#include "framework/dialog.h"
#include "config/config_store.h"

namespace pathbook {

class SettingsDialog final : public Dialog {
public:
    explicit SettingsDialog(ConfigStore& config);

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(WORD notifyCode, WORD id, HWND control) override;

private:
    void SetChecked(int id, bool checked) { CheckDlgButton(Handle(), id, checked ? BST_CHECKED : BST_UNCHECKED); }
    bool Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
    std::int32_t Number(int id) const;
    void EnableUndoLimit();

    ConfigStore& config_;
};

}  // namespace pathbook
