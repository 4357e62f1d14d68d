#include "app/win32/application.h"

#include <commctrl.h>
#include <ole2.h>
#include <winsock.h>

namespace pathbook {

Application* Application::instance_ = nullptr;

Application::Application(HINSTANCE module) : module_(module) {
    instance_ = this;
    RequestInit(kOle);
    inputMethods_.Create();
}

Application::~Application() {
    inputMethods_.Release();
    if (initFlags_ & kSockets) WSACleanup();
    if (initFlags_ & kCom) CoUninitialize();
    if (initFlags_ & kOle) OleUninitialize();
    instance_ = nullptr;
}

void Application::RequestInit(InitFlag flag) {
    if (initFlags_ & flag) return;
    switch (flag) {
        case kCommonControls: {
            INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
            InitCommonControlsEx(&controls);
            break;
        }
        case kCom: CoInitialize(nullptr); break;
        case kOle: OleInitialize(nullptr); break;
        case kSockets: {
            WSADATA sockets;
            if (WSAStartup(MAKEWORD(1, 1), &sockets) != 0) return;
            break;
        }
    }
    initFlags_ |= flag;
}

}  // namespace pathbook
