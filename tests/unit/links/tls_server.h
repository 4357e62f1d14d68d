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

#include "platform/sockets.h"
#include "support/child_process.h"

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
        if (error || !std::filesystem::exists(ProgramPath("/usr/bin/openssl"), error)) return;
        std::string cert = unixFolder_ + "/cert.pem";
        std::string key = unixFolder_ + "/key.pem";
        ChildProcess generate;
        if (!StartUnderTimeout(generate, "20",
                               {"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                                "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1", "-addext",
                                "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", cert})) {
            return;
        }
        bool generated = WaitForCertificate(folder_ / "cert.pem");
        generate.Wait(std::chrono::seconds(20));
        if (!generated) return;
        available_ = StartUnderTimeout(server_, "15",
                                       {"openssl", "s_server", "-quiet", "-www", "-accept",
                                        "127.0.0.1:" + std::to_string(port_), "-cert", cert, "-key", key}) &&
                     WaitUntilListening();
    }
    ~TlsServer() {
        server_.Stop();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TlsServer(const TlsServer&) = delete;
    TlsServer& operator=(const TlsServer&) = delete;

    bool Available() const { return available_; }
    std::string Url(const std::string& path) const { return "https://127.0.0.1:" + std::to_string(port_) + path; }

private:
    // Runs /usr/bin/`arguments[0]` for at most `seconds`, its output discarded.
    static bool StartUnderTimeout(ChildProcess& process, const std::string& seconds,
                                  std::vector<std::string> arguments) {
        arguments.front() = "/usr/bin/" + arguments.front();
        arguments.insert(arguments.begin(), seconds);
        return process.Start(ProgramPath("/usr/bin/timeout"), arguments, true);
    }

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
        std::vector<platform::HostAddress> loopback;
        if (!platform::LookUpHost(u"127.0.0.1", &loopback)) return false;
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (platform::ConnectWithin(loopback[0], platform::ToNetworkPort(port_), 200)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    std::uint16_t port_;
    std::string unixFolder_;  // the folder as the openssl program sees it
    std::filesystem::path folder_;
    ChildProcess server_;
    bool available_ = false;
};

}  // namespace pathbook::test
