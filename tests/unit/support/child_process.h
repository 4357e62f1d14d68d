// Starts helper programs of the tests as real processes and waits for them.
#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace pathbook::test {

class ChildProcess {
public:
    // Starts `program` with `arguments` (no quoting: they must not contain blanks).
    bool Start(const std::string& program, const std::vector<std::string>& arguments) {
#ifdef _WIN32
        std::string commandLine = "\"" + program + "\"";
        for (const std::string& argument : arguments) commandLine += " " + argument;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info)) {
            return false;
        }
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        return true;
#else
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        return posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
#endif
    }

    // The exit code, or -1 when the process did not end within `limit` (it is then killed).
    int Wait(std::chrono::seconds limit) {
#ifdef _WIN32
        DWORD code = 0;
        if (WaitForSingleObject(process_, static_cast<DWORD>(limit.count() * 1000)) != WAIT_OBJECT_0) {
            TerminateProcess(process_, 1);
            code = static_cast<DWORD>(-1);
        } else {
            GetExitCodeProcess(process_, &code);
        }
        CloseHandle(process_);
        return static_cast<int>(code);
#else
        auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }

private:
#ifdef _WIN32
    HANDLE process_ = nullptr;
#else
    pid_t pid_ = 0;
#endif
};

// A program path as the build system knows it, in the form the system takes
// (under Wine the build's POSIX paths are on drive Z:).
inline std::string ProgramPath(std::string path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        for (char& c : path) {
            if (c == '/') c = '\\';
        }
    }
#endif
    return path;
}

}  // namespace pathbook::test
