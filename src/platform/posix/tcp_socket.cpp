#include "platform/posix/tcp_socket.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/socket_address.h"

namespace pathbook::platform::posix {

Deadline DeadlineAfter(std::uint32_t milliseconds) {
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
}

TcpSocket::~TcpSocket() {
    if (handle_ >= 0) close(handle_);
}

bool TcpSocket::WaitFor(short events, Deadline deadline) {
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd entry{handle_, events, 0};
        int ready = poll(&entry, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

bool TcpSocket::Connect(const HostAddress& address, NetworkPort port, Deadline deadline) {
    handle_ = socket(address.ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (handle_ < 0) return false;
    sockaddr_storage target;
    const auto length = static_cast<socklen_t>(FillSocketAddress(address, port, &target));
    if (connect(handle_, reinterpret_cast<const sockaddr*>(&target), length) == 0) return true;
    if (errno != EINPROGRESS || !WaitFor(POLLOUT, deadline)) return false;
    int error = 0;
    socklen_t errorLength = sizeof error;
    return getsockopt(handle_, SOL_SOCKET, SO_ERROR, &error, &errorLength) == 0 && error == 0;
}

bool TcpSocket::SendAll(const char* bytes, std::size_t count, Deadline deadline) {
    while (count > 0) {
        if (!WaitFor(POLLOUT, deadline)) return false;
        ssize_t sent = send(handle_, bytes, count, MSG_NOSIGNAL);
        if (sent < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (sent <= 0) continue;
        bytes += sent;
        count -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::size_t TcpSocket::ReceiveSome(char* buffer, std::size_t capacity, Deadline deadline) {
    for (;;) {
        if (!WaitFor(POLLIN, deadline)) return 0;
        ssize_t received = recv(handle_, buffer, capacity, 0);
        if (received >= 0) return static_cast<std::size_t>(received);
        if (errno != EAGAIN && errno != EINTR) return 0;
    }
}

}  // namespace pathbook::platform::posix
