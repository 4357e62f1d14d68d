#include "links/network_probe.h"

#include <cstdint>
#include <vector>

#include "platform/code_page.h"
#include "platform/internet.h"

namespace pathbook {
namespace {

// The buffers the URL is split into.
constexpr std::int32_t kHttpHostUnits = 512;
constexpr std::int32_t kHttpPathUnits = 512;
constexpr std::int32_t kFtpHostUnits = 1024;
constexpr std::size_t kAnsiHostBytes = 1024;

// The host name in the ANSI code page with its NUL; false when it does not fit
// the buffer (no host is that long).
bool ToAnsiHostName(const std::u16string& host, std::vector<char>* bytes) {
    platform::CodePage codePage = platform::AnsiCodePage();
    std::size_t needed = platform::EncodeCodePage(codePage, host.data(), host.size(), nullptr, 0, nullptr);
    if (needed >= kAnsiHostBytes) return false;
    bytes->assign(needed + 1, 0);
    platform::EncodeCodePage(codePage, host.data(), host.size(), reinterpret_cast<std::uint8_t*>(bytes->data()),
                             needed, nullptr);
    return true;
}

}  // namespace

bool ProbeHttp(const String& url) {
    platform::UrlParts parts;
    if (!platform::CrackUrl(url.View(), kHttpHostUnits, kHttpPathUnits, &parts)) return false;
    platform::UrlAnswer answer = platform::OpenUrl(url.Chars(), kHttpConnectMilliseconds, kHttpRequestMilliseconds);
    return answer != platform::UrlAnswer::kFailed;
}

bool ProbeFtp(const String& url) {
    platform::UrlParts parts;
    std::vector<char> host;
    if (!platform::CrackUrl(url.View(), kFtpHostUnits, 0, &parts) || !ToAnsiHostName(parts.host, &host)) return false;
    return ProbeHostPort(host.data(), platform::ToNetworkPort(parts.port));
}

bool ProbeHostPort(const char* hostName, platform::NetworkPort port) {
    std::vector<platform::Ipv4Address> addresses;
    if (!platform::LookUpHost(hostName, &addresses)) return false;
    for (platform::Ipv4Address address : addresses) {
        if (TryConnect(address, port)) return true;
    }
    return false;
}

bool TryConnect(platform::Ipv4Address address, platform::NetworkPort port) {
    return platform::ConnectWithin(address, port, kTcpConnectMilliseconds);
}

}  // namespace pathbook
