#include <winsock2.h>

#include "platform/sockets.h"

namespace pathbook::platform {
namespace {

// Windows Sockets 1.1 for the length of one call; the library counts nested starts.
class SocketLibrary {
public:
    SocketLibrary() {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
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
    Socket() : handle_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
    ~Socket() {
        if (handle_ != INVALID_SOCKET) closesocket(handle_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET Handle() const { return handle_; }

private:
    SOCKET handle_;
};

}  // namespace

NetworkPort ToNetworkPort(std::uint16_t port) { return htons(port); }

bool LookUpHost(const char* hostName, std::vector<Ipv4Address>* addresses) {
    addresses->clear();
    SocketLibrary library;
    if (!library.Started()) return false;
    // A dotted address is tried as it stands: a missing reverse entry in the
    // name service says nothing about whether the host answers.
    unsigned long dotted = inet_addr(hostName);
    if (dotted != INADDR_NONE) {
        addresses->push_back(dotted);
        return true;
    }
    const hostent* entry = gethostbyname(hostName);
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4) return false;
    for (char** address = entry->h_addr_list; *address != nullptr; ++address) {
        addresses->push_back(reinterpret_cast<const in_addr*>(*address)->s_addr);
    }
    return !addresses->empty();
}

bool ConnectWithin(Ipv4Address address, NetworkPort port, std::uint32_t milliseconds) {
    SocketLibrary library;
    if (!library.Started()) return false;
    Socket socket;
    if (socket.Handle() == INVALID_SOCKET) return false;
    DWORD timeout = milliseconds;
    setsockopt(socket.Handle(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    setsockopt(socket.Handle(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    // The time-outs above do not bound connect itself; a non-blocking connect
    // and select do.
    u_long nonBlocking = 1;
    if (ioctlsocket(socket.Handle(), FIONBIO, &nonBlocking) != 0) return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = port;
    target.sin_addr.s_addr = address;
    if (connect(socket.Handle(), reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) return true;
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
