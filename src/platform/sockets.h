// TCP through Windows Sockets (BSD sockets in the POSIX build): name look-up
// with getaddrinfo (IPv4 and IPv6, international names in their ASCII form)
// and a connection attempt with a time-out. Each call starts and ends its own
// use of the socket library, so callers need no set-up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pathbook::platform {

using NetworkPort = std::uint16_t;  // network byte order

// One address of a host, as the resolver gives it.
struct HostAddress {
    bool ipv6 = false;
    std::uint8_t bytes[16] = {};  // network byte order; the first 4 for IPv4
    std::uint32_t scope = 0;      // the IPv6 scope (interface) id
};

// htons
NetworkPort ToNetworkPort(std::uint16_t port);

// The host name as the resolver and the network take it: each label in its
// ASCII (Punycode, "xn--") form (IdnToAscii), brackets around an IPv6 literal
// dropped. Empty for a name that has no such form (or is empty).
std::string HostNameToAscii(std::u16string_view hostName);

// The addresses of `hostName` (UTF-16; an international name is converted
// with HostNameToAscii): a numeric address is itself, a name goes to
// getaddrinfo. Each address once, in the resolver's order. False when there is none.
bool LookUpHost(std::u16string_view hostName, std::vector<HostAddress>* addresses);

// Opens and closes a TCP connection; true when the connection was made within
// `milliseconds` (also where the system itself would wait far longer).
bool ConnectWithin(const HostAddress& address, NetworkPort port, std::uint32_t milliseconds);

}  // namespace pathbook::platform
