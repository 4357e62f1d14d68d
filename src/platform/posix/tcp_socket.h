// A connected TCP socket (IPv4 or IPv6) with deadlines, for the POSIX implementations of
// sockets.h and internet.h.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "platform/sockets.h"

namespace pathbook::platform::posix {

using Deadline = std::chrono::steady_clock::time_point;

Deadline DeadlineAfter(std::uint32_t milliseconds);

class TcpSocket {
public:
    TcpSocket() = default;
    ~TcpSocket();
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // `port` in network byte order; false when not connected by `deadline`.
    bool Connect(const HostAddress& address, NetworkPort port, Deadline deadline);
    // Sends all of `bytes` by `deadline`.
    bool SendAll(const char* bytes, std::size_t count, Deadline deadline);
    // Waits for the first bytes of an answer; the count received (0 when the
    // peer closed or the deadline passed).
    std::size_t ReceiveSome(char* buffer, std::size_t capacity, Deadline deadline);

private:
    // Waits for `events` on the socket until `deadline`; false on time-out.
    bool WaitFor(short events, Deadline deadline);

    int handle_ = -1;  // -1 until Connect created it; non-blocking
};

}  // namespace pathbook::platform::posix
