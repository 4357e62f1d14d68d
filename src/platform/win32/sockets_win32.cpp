#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "platform/socket_address.h"
#include "platform/sockets.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

// Windows Sockets 2.2 for the length of one call (getaddrinfo and IPv6 need
// version 2); the library counts nested starts.
class SocketLibrary {
public:
    SocketLibrary() {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~SocketLibrary() {
        if (started_) WSACleanup();
    }
    SocketLibrary(const SocketLibrary&) = delete;
    SocketLibrary& operator=(const SocketLibrary&) = delete;
    bool Started() const { return started_; }

private:
    bool started_;
};

class Socket {
public:
    explicit Socket(int family) : handle_(socket(family, SOCK_STREAM, IPPROTO_TCP)) {}
    ~Socket() {
        if (handle_ != INVALID_SOCKET) closesocket(handle_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET Handle() const { return handle_; }

private:
    SOCKET handle_;
};

bool FromSocketAddress(const sockaddr* address, HostAddress* out) {
    if (address->sa_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(address);
        std::memcpy(out->bytes, &v4->sin_addr, 4);
        return true;
    }
    if (address->sa_family != AF_INET6) return false;
    const auto* v6 = reinterpret_cast<const sockaddr_in6*>(address);
    out->ipv6 = true;
    std::memcpy(out->bytes, &v6->sin6_addr, 16);
    out->scope = v6->sin6_scope_id;
    return true;
}

bool SameAddress(const HostAddress& a, const HostAddress& b) {
    return a.ipv6 == b.ipv6 && a.scope == b.scope && std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

// The name with its IPv6 brackets dropped, as IdnToAscii and getaddrinfo take it.
std::u16string_view WithoutBrackets(std::u16string_view name) {
    if (name.size() >= 2 && name.front() == u'[' && name.back() == u']') return name.substr(1, name.size() - 2);
    return name;
}

}  // namespace

NetworkPort ToNetworkPort(std::uint16_t port) { return htons(port); }

std::string HostNameToAscii(std::u16string_view hostName) {
    const std::u16string name(WithoutBrackets(hostName));
    // An empty label names no host (a trailing dot, the root, is allowed).
    if (name.empty() || name.front() == u'.' || name.find(u"..") != std::u16string::npos) return {};
    // An ASCII name (an address literal too) needs no conversion.
    bool ascii7 = true;
    for (char16_t unit : name) ascii7 = ascii7 && unit > 0 && unit < 0x80;
    if (ascii7) return std::string(name.begin(), name.end());
    wchar_t ascii[256];
    const int length = IdnToAscii(0, win32::Wide(name.c_str()), static_cast<int>(name.size()), ascii, 256);
    if (length <= 0) return {};
    std::string result;
    for (int i = 0; i < length; ++i) {
        if (ascii[i] == 0 || ascii[i] > 0x7F) return {};
        result.push_back(static_cast<char>(ascii[i]));
    }
    return result;
}

bool LookUpHost(std::u16string_view hostName, std::vector<HostAddress>* addresses) {
    addresses->clear();
    const std::string host = HostNameToAscii(hostName);
    if (host.empty()) return false;
    SocketLibrary library;
    if (!library.Started()) return false;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) return false;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        HostAddress address;
        if (entry->ai_addr == nullptr || !FromSocketAddress(entry->ai_addr, &address)) continue;
        bool known = false;
        for (const HostAddress& earlier : *addresses) known = known || SameAddress(earlier, address);
        if (!known) addresses->push_back(address);
    }
    freeaddrinfo(found);
    return !addresses->empty();
}

bool ConnectWithin(const HostAddress& address, NetworkPort port, std::uint32_t milliseconds) {
    SocketLibrary library;
    if (!library.Started()) return false;
    Socket socket(address.ipv6 ? AF_INET6 : AF_INET);
    if (socket.Handle() == INVALID_SOCKET) return false;
    // Send and receive time-outs do not bound connect itself; a non-blocking
    // connect and select do.
    u_long nonBlocking = 1;
    if (ioctlsocket(socket.Handle(), FIONBIO, &nonBlocking) != 0) return false;
    sockaddr_storage target;
    const auto length = static_cast<int>(FillSocketAddress(address, port, &target));
    if (connect(socket.Handle(), reinterpret_cast<const sockaddr*>(&target), length) == 0) return true;
    if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket.Handle(), &writable);
    FD_SET(socket.Handle(), &failed);
    timeval wait{static_cast<long>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000};
    if (select(0, nullptr, &writable, &failed, &wait) <= 0) return false;
    return FD_ISSET(socket.Handle(), &writable) && !FD_ISSET(socket.Handle(), &failed);
}

}  // namespace pathbook::platform
