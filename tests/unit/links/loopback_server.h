// Servers on 127.0.0.1 (or ::1) for the probe tests: an HTTP server answering
// 200 for "/" and 404 for anything else, one that asks every request to log on
// (401), one that accepts and closes (an FTP server's port as far as a TCP
// probe can tell), one that accepts and never says a word, a listener whose
// backlog is full and never accepts (connecting to it hangs), and a closed port.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace pathbook::test {

#ifdef _WIN32
using SocketHandle = SOCKET;
using AddressLength = int;
constexpr SocketHandle kNoSocket = INVALID_SOCKET;
inline void CloseSocket(SocketHandle s) { closesocket(s); }
inline void MakeNonBlocking(SocketHandle s) {
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
}
#else
using SocketHandle = int;
using AddressLength = socklen_t;
constexpr SocketHandle kNoSocket = -1;
inline void CloseSocket(SocketHandle s) { close(s); }
inline void MakeNonBlocking(SocketHandle s) { fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK); }
#endif

// Keeps the socket library started for the test's servers.
class SocketUse {
public:
#ifdef _WIN32
    SocketUse() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~SocketUse() { WSACleanup(); }
#endif
};

inline sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Waits up to `milliseconds` for `s` to become readable (or writable).
inline bool WaitReady(SocketHandle s, bool writable, int milliseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(static_cast<int>(s) + 1, writable ? nullptr : &set, writable ? &set : nullptr, nullptr, &wait) > 0;
}

// A listening socket on an ephemeral loopback port, IPv4 or IPv6.
class Listener {
public:
    explicit Listener(int backlog, bool ipv6 = false) {
        handle_ = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in6 address6{};
        address6.sin6_family = AF_INET6;
        address6.sin6_addr.s6_addr[15] = 1;  // ::1
        sockaddr_in address4 = Loopback(0);
        sockaddr* address = ipv6 ? reinterpret_cast<sockaddr*>(&address6) : reinterpret_cast<sockaddr*>(&address4);
        AddressLength length = ipv6 ? sizeof address6 : sizeof address4;
        bound_ = bind(handle_, address, length) == 0 && listen(handle_, backlog) == 0;
        getsockname(handle_, address, &length);
        port_ = ntohs(ipv6 ? address6.sin6_port : address4.sin_port);
    }
    ~Listener() { CloseSocket(handle_); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    std::uint16_t Port() const { return port_; }
    SocketHandle Handle() const { return handle_; }
    // False where the system has no such loopback address (no IPv6).
    bool Listening() const { return bound_; }

private:
    SocketUse use_;
    SocketHandle handle_;
    std::uint16_t port_ = 0;
    bool bound_ = false;
};

// Serves connections on a thread until destroyed.
class LoopbackServer {
public:
    enum class Kind { kHttp, kLogOn, kAcceptAndClose, kSilent };

    explicit LoopbackServer(Kind kind, bool ipv6 = false) : listener_(16, ipv6), kind_(kind), ipv6_(ipv6) {
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        stop_ = true;
        thread_.join();
    }

    std::uint16_t Port() const { return listener_.Port(); }
    // Whether `count` connections have been accepted, waiting up to `milliseconds`.
    bool WaitForAccepted(int count, int milliseconds) const {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (accepted_ < count && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return accepted_ >= count;
    }
    bool Listening() const { return listener_.Listening(); }
    // Whether some request carried an "Authorization" header.
    bool SawCredentials() const { return sawCredentials_; }
    std::string Url(const std::string& scheme, const std::string& path) const {
        return scheme + (ipv6_ ? "://[::1]:" : "://127.0.0.1:") + std::to_string(Port()) + path;
    }

private:
    void Serve() {
        while (!stop_) {
            if (!WaitReady(listener_.Handle(), false, 50)) continue;
            SocketHandle client = accept(listener_.Handle(), nullptr, nullptr);
            if (client == kNoSocket) continue;
            ++accepted_;
            if (kind_ == Kind::kSilent) {
                held_.push_back(client);
                continue;
            }
            if (kind_ != Kind::kAcceptAndClose && Answer(client, kind_ == Kind::kLogOn)) sawCredentials_ = true;
            CloseSocket(client);
        }
        for (SocketHandle client : held_) CloseSocket(client);
    }

    // Answers one request; true when it carried credentials.
    static bool Answer(SocketHandle client, bool logOn) {
        std::string request;
        char buffer[512];
        while (request.find("\r\n\r\n") == std::string::npos && WaitReady(client, false, 2000)) {
            int count = static_cast<int>(recv(client, buffer, sizeof buffer, 0));
            if (count <= 0) break;
            request.append(buffer, static_cast<std::size_t>(count));
        }
        const std::string answer =
            logOn ? "HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"probe\"\r\n"
                    "Content-Length: 2\r\n\r\nno"
            : request.compare(0, 6, "GET / ") == 0 ? "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok"
                                                   : "HTTP/1.0 404 Not Found\r\nContent-Length: 7\r\n\r\nmissing";
        send(client, answer.data(), static_cast<int>(answer.size()), 0);
        return request.find("\r\nAuthorization:") != std::string::npos;
    }

    Listener listener_;
    Kind kind_;
    bool ipv6_;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::atomic<bool> sawCredentials_{false};
    std::vector<SocketHandle> held_;  // kSilent: open until the server ends; server thread only
    std::thread thread_;
};

// A listener that never accepts, with its queue filled by connections of its
// own, so that one more connection attempt waits for an answer that never comes.
class FullBacklogListener {
public:
    FullBacklogListener() : listener_(0) {
        sockaddr_in address = Loopback(listener_.Port());
        for (int i = 0; i < kMaxFillers; ++i) {
            SocketHandle filler = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            MakeNonBlocking(filler);
            connect(filler, reinterpret_cast<const sockaddr*>(&address), sizeof address);
            fillers_.push_back(filler);
            if (!WaitReady(filler, true, 300)) {
                full_ = true;
                break;
            }
        }
    }
    ~FullBacklogListener() {
        for (SocketHandle filler : fillers_) CloseSocket(filler);
    }

    std::uint16_t Port() const { return listener_.Port(); }
    // Whether a connection attempt now hangs (the system dropped the last one).
    bool Full() const { return full_; }

private:
    static constexpr int kMaxFillers = 64;
    Listener listener_;
    std::vector<SocketHandle> fillers_;
    bool full_ = false;
};

// A port on which nothing listens: bound for a moment to pick it, then closed.
inline std::uint16_t ClosedPort() { return Listener(1).Port(); }

// `scheme`://127.0.0.1:<a closed port>/
inline std::string ClosedUrl(const std::string& scheme) {
    return scheme + "://127.0.0.1:" + std::to_string(ClosedPort()) + "/";
}

}  // namespace pathbook::test
