#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>

#include "platform/posix/tcp_socket.h"
#include "platform/sockets.h"

namespace pathbook::platform {

NetworkPort ToNetworkPort(std::uint16_t port) { return htons(port); }

bool LookUpHost(const char* hostName, std::vector<Ipv4Address>* addresses) {
    addresses->clear();
    in_addr dotted{};
    if (inet_pton(AF_INET, hostName, &dotted) == 1) {
        addresses->push_back(dotted.s_addr);
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (*hostName == 0 || getaddrinfo(hostName, nullptr, &hints, &found) != 0) return false;
    for (addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        Ipv4Address address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr;
        if (std::find(addresses->begin(), addresses->end(), address) == addresses->end()) {
            addresses->push_back(address);
        }
    }
    freeaddrinfo(found);
    return !addresses->empty();
}

bool ConnectWithin(Ipv4Address address, NetworkPort port, std::uint32_t milliseconds) {
    posix::TcpSocket socket;
    return socket.Connect(address, port, posix::DeadlineAfter(milliseconds));
}

}  // namespace pathbook::platform
