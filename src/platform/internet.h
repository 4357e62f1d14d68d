// Web addresses through the system's internet client (WinINet): splitting a URL
// and opening it. The POSIX build splits by the same rules and answers http://
// with a plain-socket HTTP/1.0 request; https:// there is only a TCP connection
// to the server's port (no TLS client without a library), so it cannot tell an
// untrusted certificate.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pathbook::platform {

struct UrlParts {
    std::u16string host;
    std::uint16_t port = 0;  // host byte order; the scheme's default when the URL names none
};

// InternetCrackUrlW asking for the host (a buffer of `hostUnits` units, NUL
// included) and, when `pathUnits` > 0, the URL path. False for a malformed URL
// or a part too long for its buffer.
bool CrackUrl(std::u16string_view url, std::int32_t hostUnits, std::int32_t pathUnits, UrlParts* parts);

enum class UrlAnswer {
    kOpened,            // the server answered (any HTTP status)
    kUnknownAuthority,  // a TLS server whose certificate authority is not trusted answered
    kFailed,            // no answer: malformed, no such host, refused, timed out
};

// InternetOpenUrlW without cache: connecting may take `connectMilliseconds`,
// sending the request and receiving the answer `requestMilliseconds` more.
UrlAnswer OpenUrl(const char16_t* url, std::uint32_t connectMilliseconds, std::uint32_t requestMilliseconds);

}  // namespace pathbook::platform
