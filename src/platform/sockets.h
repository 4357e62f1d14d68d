// IPv4 TCP through Windows Sockets 1.1 (BSD sockets in the POSIX build): name
// look-up and a connection attempt with a time-out. Each call starts and ends
// its own use of the socket library, so callers need no set-up.
#pragma once

#include <cstdint>
#include <vector>

namespace pathbook::platform {

using Ipv4Address = std::uint32_t;  // network byte order
using NetworkPort = std::uint16_t;  // network byte order

// htons
NetworkPort ToNetworkPort(std::uint16_t port);

// The addresses of `hostName` (ANSI code page, NUL-terminated): a dotted
// address is itself; a name goes to gethostbyname. False when there is none.
bool LookUpHost(const char* hostName, std::vector<Ipv4Address>* addresses);

// Opens and closes a TCP connection; true when the connection was made within
// `milliseconds` (also where the system itself would wait far longer).
bool ConnectWithin(Ipv4Address address, NetworkPort port, std::uint32_t milliseconds);

}  // namespace pathbook::platform
