#include "app/win32/system_theme.h"

namespace pathbook {
namespace {

constexpr wchar_t kPersonalizeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr wchar_t kColorSetArea[] = L"ImmersiveColorSet";
// The attribute's number from Windows 10 20H1 on, and before it.
constexpr DWORD kDarkModeAttribute = 20;
constexpr DWORD kDarkModeAttributeBefore20H1 = 19;

using DwmSetWindowAttributeCall = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

bool HighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool AppsUseDarkMode() {
    DWORD light = 1;
    DWORD size = sizeof light;
    const LSTATUS read = RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                                      nullptr, &light, &size);
    return read == ERROR_SUCCESS && light == 0;
}

std::uint32_t Color(int index) { return static_cast<std::uint32_t>(GetSysColor(index)); }

}  // namespace

ColorScheme CurrentColorScheme() {
    if (HighContrastOn()) return ColorScheme::kHighContrast;
    return AppsUseDarkMode() ? ColorScheme::kDark : ColorScheme::kLight;
}

SystemColors CurrentSystemColors() {
    SystemColors colors;
    colors.window = Color(COLOR_WINDOW);
    colors.windowText = Color(COLOR_WINDOWTEXT);
    colors.highlight = Color(COLOR_HIGHLIGHT);
    colors.highlightText = Color(COLOR_HIGHLIGHTTEXT);
    colors.grayText = Color(COLOR_GRAYTEXT);
    colors.hotLight = Color(COLOR_HOTLIGHT);
    return colors;
}

bool ChangesColorScheme(UINT action, const wchar_t* area) {
    return action == SPI_SETHIGHCONTRAST || lstrcmpiW(area, kColorSetArea) == 0 || (action == 0 && *area == L'\0');
}

void UseDarkTitleBar(HWND window, bool dark) {
    static HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    static const auto call = dwm == nullptr ? nullptr
                                            : reinterpret_cast<DwmSetWindowAttributeCall>(reinterpret_cast<void*>(
                                                  GetProcAddress(dwm, "DwmSetWindowAttribute")));
    if (call == nullptr) return;
    const BOOL value = dark ? TRUE : FALSE;
    if (FAILED(call(window, kDarkModeAttribute, &value, sizeof value))) {
        call(window, kDarkModeAttributeBefore20H1, &value, sizeof value);
    }
}

}  // namespace pathbook
