#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>

#include "platform/posix/punycode.h"
#include "platform/posix/tcp_socket.h"
#include "platform/sockets.h"

namespace pathbook::platform {
namespace {

bool FromSocketAddress(const sockaddr* address, HostAddress* out) {
    if (address->sa_family == AF_INET) {
        std::memcpy(out->bytes, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, 4);
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

}  // namespace

NetworkPort ToNetworkPort(std::uint16_t port) { return htons(port); }

std::string HostNameToAscii(std::u16string_view hostName) {
    if (hostName.size() >= 2 && hostName.front() == u'[' && hostName.back() == u']') {
        hostName = hostName.substr(1, hostName.size() - 2);
    }
    return posix::HostNameToPunycode(hostName);
}

bool LookUpHost(std::u16string_view hostName, std::vector<HostAddress>* addresses) {
    addresses->clear();
    const std::string host = HostNameToAscii(hostName);
    if (host.empty()) return false;
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
    posix::TcpSocket socket;
    return socket.Connect(address, port, posix::DeadlineAfter(milliseconds));
}

}  // namespace pathbook::platform
