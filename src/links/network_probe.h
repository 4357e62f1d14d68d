// Whether a web or FTP address answers, for the status line after a click.
// Every call is synchronous and bounded: the HTTP probe by its 3000 ms connect
// time-out plus a bounded request, the TCP probe by 2 seconds per address (on
// top of name resolution, which the system's resolver bounds). Every failure,
// a malformed URL included, is false; a malformed URL causes no traffic. No
// probe sends a cookie or a credential. Host names may be international
// (converted to their ASCII form) and resolve to IPv4 and IPv6 addresses.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/sockets.h"
#include "runtime/string.h"

namespace pathbook {

constexpr std::uint32_t kHttpConnectMilliseconds = 3000;
constexpr std::uint32_t kHttpRequestMilliseconds = 5000;
constexpr std::uint32_t kTcpConnectMilliseconds = 2000;

// Opens an http:// or https:// URL without the cache. Any HTTP status (a 404
// page too, or a demand for a log-on) and a TLS server whose authority is not
// trusted count as reachable.
bool ProbeHttp(const String& url);

// A TCP connection to the host and port of an ftp:// URL (port 21 when the URL names none).
bool ProbeFtp(const String& url);

// `port` in network byte order. True when any of the host's addresses accepts a connection.
bool ProbeHostPort(std::u16string_view hostName, platform::NetworkPort port);

// One address and `port` (network byte order).
bool TryConnect(const platform::HostAddress& address, platform::NetworkPort port);

}  // namespace pathbook
