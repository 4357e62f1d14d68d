#include "app/win32/bars.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/resource_ids.h"
#include "app/status_parts.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Wide;

int TextWidth(HDC dc, const wchar_t* text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size.cx;
}

int WindowHeight(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    return frame.bottom - frame.top;
}

}  // namespace

void StatusBar::Create(HWND parent) {
    bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(IDC_STATUS_BAR), GetModuleHandleW(nullptr), nullptr);
    dpi_ = WindowDpi(parent);
}

void StatusBar::SetDpi(UINT dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    font_.Apply(bar_, dpi);
}

int StatusBar::Layout(bool maximized) {
    if (bar_ == nullptr) return 0;
    SendMessageW(bar_, WM_SIZE, 0, 0);
    RECT frame;
    GetWindowRect(bar_, &frame);
    WindowDC dc(bar_);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(bar_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.Get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    auto edges = StatusPartEdges(frame.right - frame.left, maximized, TextWidth(dc.Get(), L"BBBBB"),
                                 TextWidth(dc.Get(), L"BBBBM"), static_cast<std::int32_t>(dpi_));
    int parts[3] = {edges[0], edges[1], edges[2]};
    SendMessageW(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SetText(1, encoding_);
    SetText(2, lineEnd_);
    return visible_ ? WindowHeight(bar_) : 0;
}

void StatusBar::SetText(int part, const String& text) {
    if (bar_ != nullptr) SendMessageW(bar_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(Wide(text.Chars())));
}

void StatusBar::SetCodes(const String& encoding, const String& lineEnd) {
    encoding_ = encoding;
    lineEnd_ = lineEnd;
    SetText(1, encoding_);
    SetText(2, lineEnd_);
}

void StatusBar::Show(bool visible) {
    visible_ = visible;
    if (bar_ != nullptr) ShowWindow(bar_, visible ? SW_SHOW : SW_HIDE);
}

void MenuBar::Build(HWND parent, int menuId, int firstPopupId) {
    menu_.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId)));
    if (!menu_) return;
    int count = GetMenuItemCount(menu_.Get());
    std::vector<TBBUTTON> buttons;
    std::vector<std::wstring> texts(static_cast<std::size_t>(count > 0 ? count : 0));
    int nextPopupId = firstPopupId;
    for (int i = 0; i < count; ++i) {
        wchar_t text[1024] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 1024;
        GetMenuItemInfoW(menu_.Get(), static_cast<UINT>(i), TRUE, &item);
        TBBUTTON button{};
        button.iBitmap = I_IMAGENONE;
        if (item.fType & MFT_SEPARATOR) {
            button.fsStyle = BTNS_SEP;
            button.fsState = TBSTATE_ENABLED;
            buttons.push_back(button);
            continue;
        }
        texts[static_cast<std::size_t>(i)] = text;
        button.iString = reinterpret_cast<INT_PTR>(texts[static_cast<std::size_t>(i)].c_str());
        button.fsState = (item.fState & MFS_DISABLED) ? 0 : TBSTATE_ENABLED;
        button.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        if (item.hSubMenu != nullptr) {
            button.idCommand = nextPopupId++;
            button.dwData = reinterpret_cast<DWORD_PTR>(item.hSubMenu);
            if (!(item.fType & MFT_MENUBARBREAK)) button.fsStyle |= BTNS_DROPDOWN;
        } else {
            button.idCommand = static_cast<int>(item.wID);
        }
        buttons.push_back(button);
    }
    bar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                           WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP | CCS_NODIVIDER, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(IDC_MENU_BAR), GetModuleHandleW(nullptr), nullptr);
    if (bar_ == nullptr) return;
    SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    SendMessageW(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessageW(bar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
    ShowWindow(bar_, SW_SHOW);
}

void MenuBar::SetDpi(UINT dpi) {
    if (bar_ == nullptr) return;
    // The toolbar measures its autosized buttons again in the new font.
    font_.Apply(bar_, dpi);
    SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
}

int MenuBar::Layout() {
    if (bar_ == nullptr) return 0;
    SendMessageW(bar_, WM_SIZE, 0, 0);
    return IsWindowVisible(bar_) ? WindowHeight(bar_) : 0;
}

HMENU MenuBar::PopupOf(int id) const {
    if (bar_ == nullptr) return nullptr;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_LPARAM;
    if (SendMessageW(bar_, TB_GETBUTTONINFOW, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info)) < 0) {
        return nullptr;
    }
    return reinterpret_cast<HMENU>(info.lParam);
}

bool MenuBar::DropsDownOnClick(int id) const {
    if (PopupOf(id) == nullptr) return false;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE;
    SendMessageW(bar_, TB_GETBUTTONINFOW, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
    return (info.fsStyle & BTNS_DROPDOWN) == 0;
}

void MenuBar::ShowDropDown(int id) const {
    HMENU popup = PopupOf(id);
    if (popup == nullptr) return;
    SendMessageW(GetParent(bar_), WM_INITMENU, reinterpret_cast<WPARAM>(popup), 0);
    RECT button;
    SendMessageW(bar_, TB_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&button), 2);
    TPMPARAMS exclude{sizeof exclude, button};
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, button.left, button.bottom, bar_, &exclude);
}

void MenuBar::SetEnabled(int id, bool enabled) {
    if (bar_ != nullptr) SendMessageW(bar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id), MAKELPARAM(enabled, 0));
}

void MenuBar::SetIndeterminate(int id, bool indeterminate) {
    if (bar_ != nullptr) SendMessageW(bar_, TB_INDETERMINATE, static_cast<WPARAM>(id), MAKELPARAM(indeterminate, 0));
}

}  // namespace pathbook
