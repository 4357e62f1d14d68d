// Starts helper programs of the tests as real processes and waits for them.
#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace pathbook::test {

class ChildProcess {
public:
    // Starts `program` with `arguments` (no quoting: they must not contain
    // blanks); with `discardOutput` its stdout and stderr go nowhere.
    bool Start(const std::string& program, const std::vector<std::string>& arguments, bool discardOutput = false) {
#ifdef _WIN32
        std::string commandLine = "\"" + program + "\"";
        for (const std::string& argument : arguments) commandLine += " " + argument;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        // Wine starts a Unix program without showing it any console, so there
        // is no output to discard there.
        (void)discardOutput;
        if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info)) {
            return false;
        }
        if (info.hThread != nullptr) CloseHandle(info.hThread);
        process_ = info.hProcess;
        return true;
#else
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (discardOutput) {
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
            posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        }
        bool started = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        if (!started) pid_ = 0;
        return started;
#endif
    }

    // The exit code, or -1 when the process did not end within `limit` (it is
    // then killed) or cannot be waited for.
    int Wait(std::chrono::seconds limit) {
        if (!Waitable()) return -1;
#ifdef _WIN32
        DWORD code = 0;
        if (WaitForSingleObject(process_, static_cast<DWORD>(limit.count() * 1000)) != WAIT_OBJECT_0) {
            TerminateProcess(process_, 1);
            code = static_cast<DWORD>(-1);
        } else {
            GetExitCodeProcess(process_, &code);
        }
        CloseHandle(process_);
        process_ = nullptr;
        return static_cast<int>(code);
#else
        auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                pid_ = 0;
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }

    // Ends the process, if it is still one this test can wait for.
    void Stop() {
        if (!Waitable()) return;
#ifdef _WIN32
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, 5000);
        CloseHandle(process_);
        process_ = nullptr;
#else
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = 0;
#endif
    }

private:
    // A Unix program that Wine started comes without a process handle: it
    // can be neither waited for nor stopped, and each such use of it must end
    // by itself (under `timeout`).
    bool Waitable() const {
#ifdef _WIN32
        return process_ != nullptr;
#else
        return pid_ > 0;
#endif
    }

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
