#include "app/main_window.h"

#include "app/instances.h"
#include "app/resource_ids.h"
#include "app/string_resource.h"
#include "platform/win32/wide.h"

namespace pathbook {

using platform::win32::Wide;

MainWindow::MainWindow() : Window(kMainWindowClass, WS_OVERLAPPEDWINDOW, WS_EX_ACCEPTFILES) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW classInfo{};
    classInfo.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
    classInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    classInfo.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    classInfo.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINFRAME);
    classInfo.lpszClassName = kMainWindowClass;
    RegisterWindowClass(classInfo);
    accelTable_ = LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
}

MainWindow::~MainWindow() {
    Destroy();
    if (accelTable_ != nullptr) DestroyAcceleratorTable(accelTable_);
}

void MainWindow::Create(const String&, CharsetId, std::int32_t) {
    Window::Create(L"", nullptr, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr);
    UpdateTitle();
}

bool MainWindow::PreTranslate(MSG& message) {
    return accelTable_ != nullptr && TranslateAcceleratorW(Handle(), accelTable_, &message) != 0;
}

bool MainWindow::OnCommand(WORD id, LPARAM) {
    switch (id) {
        case IDM_NEW_FILE: LaunchInstance(String(u"-n")); return true;
        case IDM_EXIT: Exit(); return true;
        default: return false;
    }
}

LRESULT MainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE || (wParam & 0xFFF0) == SC_DEFAULT) {
                Exit();
                return 0;
            }
            break;
        default: break;
    }
    return Window::WndProc(message, wParam, lParam);
}

void MainWindow::Exit() { DestroyWindow(Handle()); }

void MainWindow::UpdateTitle() {
    String title = u"untitled - " + LoadStringResource(IDS_PRODUCT_NAME);
    SetWindowTextW(Handle(), Wide(title.Chars()));
}

}  // namespace pathbook
