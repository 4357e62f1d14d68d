// The one process-wide object: created first, destroyed last. It owns the
// process-wide initialisations (common controls, COM, OLE, Windows Sockets
// for the link probes) and the input-method manager, and undoes them at exit.
#pragma once

#include <windows.h>

#include "framework/input_method.h"

namespace pathbook {

class Application {
public:
    enum InitFlag : unsigned {
        kCommonControls = 1,
        kCom = 2,
        kOle = 4,
        kSockets = 8,
    };

    explicit Application(HINSTANCE module);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application& Instance() { return *instance_; }

    // Performs an initialisation once; asking again does nothing.
    void RequestInit(InitFlag flag);
    HINSTANCE Module() const { return module_; }
    InputMethodManager& InputMethods() { return inputMethods_; }

    int exitCode = -1;  // the result of the main routine

private:
    static Application* instance_;

    unsigned initFlags_ = 0;
    HINSTANCE module_;
    InputMethodManager inputMethods_;
};

}  // namespace pathbook
