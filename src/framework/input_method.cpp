#include "framework/input_method.h"

// The manager's GUIDs are defined here: no import library provides them.
#include <initguid.h>

#include <dimm.h>

namespace pathbook {

void InputMethodManager::Create() {
    if (FAILED(CoCreateInstance(CLSID_CActiveIMM, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveIMMApp,
                                reinterpret_cast<void**>(&app_)))) {
        app_ = nullptr;
        return;
    }
    if (FAILED(app_->QueryInterface(IID_IActiveIMMMessagePumpOwner, reinterpret_cast<void**>(&pump_)))) {
        pump_ = nullptr;
    }
}

void InputMethodManager::Release() {
    if (pump_ != nullptr) pump_->Release();
    if (app_ != nullptr) app_->Release();
    pump_ = nullptr;
    app_ = nullptr;
}

void InputMethodManager::Activate(bool on) {
    if (app_ == nullptr) return;
    if (on) {
        app_->Activate(TRUE);
    } else {
        app_->Deactivate();
    }
}

void InputMethodManager::StartPump() {
    if (pump_ != nullptr) pump_->Start();
}

void InputMethodManager::EndPump() {
    if (pump_ != nullptr) pump_->End();
}

bool InputMethodManager::TranslateForPump(const MSG& message) {
    return pump_ != nullptr && pump_->OnTranslateMessage(&message) == S_OK;
}

bool InputMethodManager::DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           LRESULT* result) {
    return app_ != nullptr && app_->OnDefWindowProc(window, message, wParam, lParam, result) == S_OK;
}

}  // namespace pathbook
