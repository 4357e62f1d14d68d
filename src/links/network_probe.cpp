#include "links/network_probe.h"

#include <cstdint>
#include <vector>

#include "platform/internet.h"

namespace pathbook {
namespace {

// The buffers the URL is split into.
constexpr std::int32_t kHttpHostUnits = 512;
constexpr std::int32_t kHttpPathUnits = 512;
constexpr std::int32_t kFtpHostUnits = 1024;

}  // namespace

bool ProbeHttp(const String& url) {
    platform::UrlParts parts;
    if (!platform::CrackUrl(url.View(), kHttpHostUnits, kHttpPathUnits, &parts)) return false;
    platform::UrlAnswer answer = platform::OpenUrl(url.Chars(), kHttpConnectMilliseconds, kHttpRequestMilliseconds);
    return answer != platform::UrlAnswer::kFailed;
}

bool ProbeFtp(const String& url) {
    platform::UrlParts parts;
    if (!platform::CrackUrl(url.View(), kFtpHostUnits, 0, &parts)) return false;
    return ProbeHostPort(parts.host, platform::ToNetworkPort(parts.port));
}

bool ProbeHostPort(std::u16string_view hostName, platform::NetworkPort port) {
    std::vector<platform::HostAddress> addresses;
    if (!platform::LookUpHost(hostName, &addresses)) return false;
    for (const platform::HostAddress& address : addresses) {
        if (TryConnect(address, port)) return true;
    }
    return false;
}

bool TryConnect(const platform::HostAddress& address, platform::NetworkPort port) {
    return platform::ConnectWithin(address, port, kTcpConnectMilliseconds);
}

}  // namespace pathbook
