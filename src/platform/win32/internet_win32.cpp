#include <windows.h>
#include <wininet.h>

#include <vector>

#include "platform/internet.h"
#include "platform/sockets.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

using win32::Utf16;
using win32::Wide;

// A probe fetches afresh and leaves nothing behind, and it says nothing about
// the user: no cookies are sent or kept, no credentials are offered (a server
// asking for them has answered all the same), no log-on dialog appears.
constexpr DWORD kProbeFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                              INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_NO_UI;

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_ != nullptr) InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return handle_; }

private:
    HINTERNET handle_;
};

void SetTimeout(HINTERNET handle, DWORD option, std::uint32_t milliseconds) {
    DWORD value = milliseconds;
    InternetSetOptionW(handle, option, &value, sizeof value);
}

// Not every internet client passes the session's send and receive time-outs on
// to the request it creates; this sets them on each request as it is created.
// `context` points at the time-out in milliseconds.
void CALLBACK OnHandleCreated(HINTERNET, DWORD_PTR context, DWORD status, void* information, DWORD length) {
    if (status != INTERNET_STATUS_HANDLE_CREATED || information == nullptr || length < sizeof(HINTERNET)) return;
    // Either an INTERNET_ASYNC_RESULT or the bare handle; the handle comes first.
    HINTERNET created = *static_cast<HINTERNET*>(information);
    SetTimeout(created, INTERNET_OPTION_SEND_TIMEOUT, *reinterpret_cast<const std::uint32_t*>(context));
    SetTimeout(created, INTERNET_OPTION_RECEIVE_TIMEOUT, *reinterpret_cast<const std::uint32_t*>(context));
}

bool ConnectsDirectly(HINTERNET internet) {
    alignas(INTERNET_PROXY_INFO) unsigned char buffer[4096];
    DWORD size = sizeof buffer;
    if (!InternetQueryOptionW(internet, INTERNET_OPTION_PROXY, buffer, &size)) return false;
    return reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer)->dwAccessType == INTERNET_OPEN_TYPE_DIRECT;
}

// Whether the URL's server accepts a TCP connection within the time-out. The
// internet client does not bound its connection attempt everywhere; without a
// proxy in between this check does, before the client is let loose.
bool ServerAccepts(const char16_t* url, std::uint32_t milliseconds) {
    UrlParts parts;
    if (!CrackUrl(url, INTERNET_MAX_HOST_NAME_LENGTH, 0, &parts)) return false;
    std::vector<HostAddress> addresses;
    if (!LookUpHost(parts.host, &addresses)) return false;
    for (const HostAddress& address : addresses) {
        if (ConnectWithin(address, ToNetworkPort(parts.port), milliseconds)) return true;
    }
    return false;
}

}  // namespace

bool CrackUrl(std::u16string_view url, std::int32_t hostUnits, std::int32_t pathUnits, UrlParts* parts) {
    if (url.empty() || hostUnits <= 0) return false;
    std::u16string text(url);
    std::u16string host(static_cast<std::size_t>(hostUnits), u'\0');
    std::u16string path(static_cast<std::size_t>(pathUnits > 0 ? pathUnits : 1), u'\0');
    URL_COMPONENTSW components{};
    components.dwStructSize = sizeof components;
    components.lpszHostName = Wide(&host[0]);
    components.dwHostNameLength = static_cast<DWORD>(hostUnits);
    if (pathUnits > 0) {
        components.lpszUrlPath = Wide(&path[0]);
        components.dwUrlPathLength = static_cast<DWORD>(pathUnits);
    }
    if (!InternetCrackUrlW(Wide(text.c_str()), static_cast<DWORD>(text.size()), 0, &components)) return false;
    parts->host.assign(Utf16(components.lpszHostName), components.dwHostNameLength);
    parts->port = components.nPort;
    return true;
}

UrlAnswer OpenUrl(const char16_t* url, std::uint32_t connectMilliseconds, std::uint32_t requestMilliseconds) {
    InternetHandle internet(
        InternetOpenW(L"WININET Sample Program", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (internet.Get() == nullptr) return UrlAnswer::kFailed;
    SetTimeout(internet.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, connectMilliseconds);
    // One attempt per address, so the connect time-out is the bound it says.
    SetTimeout(internet.Get(), INTERNET_OPTION_CONNECT_RETRIES, 1);
    SetTimeout(internet.Get(), INTERNET_OPTION_SEND_TIMEOUT, requestMilliseconds);
    SetTimeout(internet.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, requestMilliseconds);
    if (ConnectsDirectly(internet.Get()) && !ServerAccepts(url, connectMilliseconds)) return UrlAnswer::kFailed;
    InternetSetStatusCallbackW(internet.Get(), OnHandleCreated);
    InternetHandle opened(InternetOpenUrlW(internet.Get(), Wide(url), nullptr, 0,
                                           kProbeFlags,
                                           reinterpret_cast<DWORD_PTR>(&requestMilliseconds)));
    if (opened.Get() != nullptr) return UrlAnswer::kOpened;
    return GetLastError() == ERROR_INTERNET_INVALID_CA ? UrlAnswer::kUnknownAuthority : UrlAnswer::kFailed;
}

}  // namespace pathbook::platform
