// An HTTPS server with a self-signed certificate on 127.0.0.1, run by the
// system's openssl program (the Windows build reaches it only under Wine,
// which starts Unix programs but cannot wait for or stop them: readiness is
// seen in the files and on the port, and each run is limited by `timeout`, so
// nothing outlives the test by more than a few seconds). Available() is false
// where the programs are missing; the tests that need it then skip.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
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
#include <unistd.h>
extern char** environ;
#endif

#include "platform/sockets.h"

namespace pathbook::test {

class TlsServer {
public:
    explicit TlsServer(std::uint16_t port) : port_(port) {
        std::mt19937_64 random(static_cast<unsigned long long>(
            std::chrono::steady_clock::now().time_since_epoch().count()));
        unixFolder_ = "/tmp/pathbook-tls-" + std::to_string(random());
#ifdef _WIN32
        folder_ = std::filesystem::path("Z:" + unixFolder_);
#else
        folder_ = std::filesystem::path(unixFolder_);
#endif
        std::error_code error;
        std::filesystem::create_directories(folder_, error);
        if (error || !std::filesystem::exists(ProgramPath("openssl"), error)) return;
        std::string cert = unixFolder_ + "/cert.pem";
        std::string key = unixFolder_ + "/key.pem";
        Process generate = Start({"timeout", "20", "openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                                  "ec_paramgen_curve:prime256v1", "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1",
                                  "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", cert});
        bool generated = WaitForCertificate(folder_ / "cert.pem");
        Wait(generate);
        if (!generated) return;
        server_ = Start({"timeout", "15", "openssl", "s_server", "-quiet", "-www", "-accept",
                         "127.0.0.1:" + std::to_string(port_), "-cert", cert, "-key", key});
        available_ = Started(server_) && WaitUntilListening();
    }
    ~TlsServer() {
        Stop(server_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TlsServer(const TlsServer&) = delete;
    TlsServer& operator=(const TlsServer&) = delete;

    bool Available() const { return available_; }
    std::string Url(const std::string& path) const { return "https://127.0.0.1:" + std::to_string(port_) + path; }

private:
#ifdef _WIN32
    // INVALID_HANDLE_VALUE when nothing started; a Unix program that Wine
    // started comes without a handle (null).
    using Process = HANDLE;
    static bool Started(Process process) { return process != INVALID_HANDLE_VALUE; }
    static bool Waitable(Process process) { return process != INVALID_HANDLE_VALUE && process != nullptr; }
    static std::filesystem::path ProgramPath(const std::string& name) { return "Z:\\usr\\bin\\" + name; }
    static Process Start(const std::vector<std::string>& args) {
        std::wstring commandLine;
        for (const std::string& arg : args) commandLine += (commandLine.empty() ? L"" : L" ") + Widen(arg);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::wstring program = ProgramPath(args[0]).wstring();
        if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return INVALID_HANDLE_VALUE;
        }
        if (process.hThread != nullptr) CloseHandle(process.hThread);
        return process.hProcess;
    }
    static void Wait(Process process) {
        if (!Waitable(process)) return;
        WaitForSingleObject(process, 20000);
        CloseHandle(process);
    }
    static void Stop(Process process) {
        if (!Waitable(process)) return;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    static std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }
#else
    using Process = pid_t;
    static bool Started(Process process) { return process > 0; }
    static std::filesystem::path ProgramPath(const std::string& name) { return "/usr/bin/" + name; }
    static Process Start(const std::vector<std::string>& args) {
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t process = 0;
        std::string program = ProgramPath(args[0]).string();
        if (posix_spawn(&process, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) process = 0;
        posix_spawn_file_actions_destroy(&actions);
        return process;
    }
    static void Wait(Process process) {
        int status = 0;
        if (process > 0) waitpid(process, &status, 0);
    }
    static void Stop(Process process) {
        if (process <= 0) return;
        kill(process, SIGTERM);
        int status = 0;
        waitpid(process, &status, 0);
    }
#endif

    static bool WaitForCertificate(const std::filesystem::path& file) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::ifstream in(file);
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (text.find("-----END CERTIFICATE-----") != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    bool WaitUntilListening() const {
        std::vector<platform::Ipv4Address> loopback;
        if (!platform::LookUpHost("127.0.0.1", &loopback)) return false;
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (platform::ConnectWithin(loopback[0], platform::ToNetworkPort(port_), 200)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    std::uint16_t port_;
    std::string unixFolder_;  // the folder as the openssl program sees it
    std::filesystem::path folder_;
    Process server_ = Process();
    bool available_ = false;
};

}  // namespace pathbook::test
