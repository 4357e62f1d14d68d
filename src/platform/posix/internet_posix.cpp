// The internet client for systems without WinINet: URLs split by the same
// rules, http:// answered over a plain socket, https:// by a TCP connection.
#include <string>

#include "platform/internet.h"
#include "platform/posix/tcp_socket.h"
#include "platform/sockets.h"
#include "runtime/ascii.h"
#include "runtime/utf8.h"

namespace pathbook::platform {
namespace {

using View = std::u16string_view;

struct Scheme {
    View name;
    std::uint16_t defaultPort;
    bool plainHttp;  // false: the server's accepting a connection is its answer
};

constexpr Scheme kSchemes[] = {
    {u"http", 80, true},
    {u"https", 443, false},
    {u"ftp", 21, false},
};

constexpr std::uint32_t kHighestPort = 65535;

bool SameScheme(View a, View b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiToLower(a[i]) != b[i]) return false;
    }
    return true;
}

const Scheme* FindScheme(View name) {
    for (const Scheme& scheme : kSchemes) {
        if (SameScheme(name, scheme.name)) return &scheme;
    }
    return nullptr;
}

bool IsSchemeUnit(char16_t c, bool first) {
    return IsAsciiLetter(c) || (!first && ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.'));
}

bool ParsePort(View digits, std::uint16_t* port) {
    if (digits.empty() || digits.size() > 5) return false;
    std::uint32_t value = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c - u'0');
    }
    if (value > kHighestPort) return false;
    *port = static_cast<std::uint16_t>(value);
    return true;
}

struct SplitUrl {
    const Scheme* scheme = nullptr;  // null for a scheme without a client here
    std::u16string host;
    std::uint16_t port = 0;
    std::u16string path;
};

// scheme://[user[:password]@]host[:port][/path...]
bool Split(View url, SplitUrl* split) {
    std::size_t colon = 0;
    while (colon < url.size() && IsSchemeUnit(url[colon], colon == 0)) ++colon;
    if (colon == 0 || url.substr(colon, 3) != u"://") return false;
    split->scheme = FindScheme(url.substr(0, colon));
    std::size_t authorityStart = colon + 3;
    std::size_t authorityEnd = url.find_first_of(u"/?#", authorityStart);
    if (authorityEnd == View::npos) authorityEnd = url.size();
    View authority = url.substr(authorityStart, authorityEnd - authorityStart);
    std::size_t at = authority.rfind(u'@');
    if (at != View::npos) authority.remove_prefix(at + 1);
    std::size_t portColon = authority.rfind(u':');
    split->port = split->scheme != nullptr ? split->scheme->defaultPort : 0;
    if (portColon != View::npos && authority.find(u']', portColon) == View::npos) {
        if (!ParsePort(authority.substr(portColon + 1), &split->port)) return false;
        authority = authority.substr(0, portColon);
    }
    if (authority.empty()) return false;
    split->host.assign(authority);
    split->path.assign(url.substr(authorityEnd));
    if (split->path.empty()) split->path = u"/";
    return true;
}

// An IPv6 literal keeps its brackets; a name goes in its ASCII form.
std::string HostHeader(const std::u16string& host) {
    return !host.empty() && host[0] == u'[' ? Utf16ToUtf8(host) : HostNameToAscii(host);
}

// Bytes of the request line and headers; the URL's path as UTF-8.
std::string RequestFor(const SplitUrl& split) {
    // No cookie and no credentials: the probe says nothing about the user.
    return "GET " + Utf16ToUtf8(split.path) + " HTTP/1.0\r\nHost: " + HostHeader(split.host) +
           "\r\nUser-Agent: WININET Sample Program\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n"
           "Connection: close\r\n\r\n";
}

bool Answers(const SplitUrl& split, const HostAddress& address, std::uint32_t connectMilliseconds,
             std::uint32_t requestMilliseconds) {
    posix::TcpSocket socket;
    if (!socket.Connect(address, ToNetworkPort(split.port), posix::DeadlineAfter(connectMilliseconds))) return false;
    if (!split.scheme->plainHttp) return true;
    posix::Deadline deadline = posix::DeadlineAfter(requestMilliseconds);
    std::string request = RequestFor(split);
    if (!socket.SendAll(request.data(), request.size(), deadline)) return false;
    char answer[16];
    return socket.ReceiveSome(answer, sizeof answer, deadline) > 0;
}

}  // namespace

bool CrackUrl(View url, std::int32_t hostUnits, std::int32_t pathUnits, UrlParts* parts) {
    SplitUrl split;
    if (!Split(url, &split)) return false;
    if (split.host.size() >= static_cast<std::size_t>(hostUnits)) return false;
    if (pathUnits > 0 && split.path.size() >= static_cast<std::size_t>(pathUnits)) return false;
    parts->host = split.host;
    parts->port = split.port;
    return true;
}

UrlAnswer OpenUrl(const char16_t* url, std::uint32_t connectMilliseconds, std::uint32_t requestMilliseconds) {
    SplitUrl split;
    if (!Split(url, &split) || split.scheme == nullptr) return UrlAnswer::kFailed;
    std::vector<HostAddress> addresses;
    if (!LookUpHost(split.host, &addresses)) return UrlAnswer::kFailed;
    for (const HostAddress& address : addresses) {
        if (Answers(split, address, connectMilliseconds, requestMilliseconds)) return UrlAnswer::kOpened;
    }
    return UrlAnswer::kFailed;
}

}  // namespace pathbook::platform
