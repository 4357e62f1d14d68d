// The system's socket address for a HostAddress and port: one filling for
// both builds. Included after the system's socket headers (winsock2.h and
// ws2tcpip.h, or netinet/in.h and sys/socket.h), which define the types.
#pragma once

#include <cstring>

#include "platform/sockets.h"

namespace pathbook::platform {

// Fills `target` and returns how many of its bytes the system is to read.
inline std::size_t FillSocketAddress(const HostAddress& address, NetworkPort port, sockaddr_storage* target) {
    *target = sockaddr_storage{};
    if (address.ipv6) {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(target);
        v6->sin6_family = AF_INET6;
        v6->sin6_port = port;
        std::memcpy(&v6->sin6_addr, address.bytes, 16);
        v6->sin6_scope_id = address.scope;
        return sizeof *v6;
    }
    auto* v4 = reinterpret_cast<sockaddr_in*>(target);
    v4->sin_family = AF_INET;
    v4->sin_port = port;
    std::memcpy(&v4->sin_addr, address.bytes, 4);
    return sizeof *v4;
}

}  // namespace pathbook::platform
