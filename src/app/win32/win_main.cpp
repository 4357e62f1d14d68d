// The process entry and the main routine: from the command line to the main
// window's message loop and back out.
#include <windows.h>

#include <new>

#include "app/win32/application.h"
#include "app/command_line.h"
#include "framework/message_loop.h"
#include "app/win32/main_window.h"
#include "app/win32/start_up_host.h"
#include "platform/win32/wide.h"
#include "runtime/heap.h"

namespace pathbook {
namespace {

// Systems that report 6.3 or later are refused: the program declares no newer
// system in its manifest, so those report 6.2 to it and it runs there.
bool IsSupportedSystem() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version)) return true;
#pragma GCC diagnostic pop
    return version.dwMajorVersion < 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion <= 2);
}

int RunMain(Application& application) {
    // A failed allocation anywhere ends the process as the heap's does, saving the journals first.
    std::set_new_handler([] { Heap::OutOfMemory(); });
    ArgList args = SplitCommandLine(platform::win32::Utf16(GetCommandLineW()));
    if (!IsSupportedSystem()) {
        MessageBoxW(nullptr, L"ご使用のオペレーティングシステムには対応していません。", L"問題",
                    MB_ICONERROR | MB_SYSTEMMODAL);
        return 0;
    }
    Win32StartupHost host;
    StartPlan plan = PlanStart(args, host);
    if (!plan.openWindow) return 0;
    Window::UseInputMethods(&application.InputMethods());
    MainWindow window;
    // A window not asked for a file may take a restored note instead.
    const bool askedForFile = !plan.chooseDocument && !plan.document.path.Empty();
    if (plan.chooseDocument) {
        host.UseLists(window.Config(), window.Favorites());
        plan.document = ChooseStartDocument(host);
    }
    if (plan.recover) {
        window.CreateRestoring(plan.document.path);
    } else {
        window.Create(plan.document.path, plan.document.charset, plan.line);
    }
    window.Show();
    // After an update's restart the journals come back as orphans, offered here.
    RegisterApplicationRestart(L"", RESTART_NO_CRASH | RESTART_NO_HANG);
    if (!plan.recover) window.OfferRecovery(!askedForFile);
    RunMessageLoop(window, application.InputMethods());
    return 0;
}

}  // namespace
}  // namespace pathbook

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int exitCode;
    {
        pathbook::Application application(instance);
        application.exitCode = pathbook::RunMain(application);
        exitCode = application.exitCode;
    }
    return exitCode;
}
