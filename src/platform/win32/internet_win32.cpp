#include <windows.h>
#include <wininet.h>

#include "platform/internet.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

using win32::Utf16;
using win32::Wide;

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
    InternetHandle opened(InternetOpenUrlW(internet.Get(), Wide(url), nullptr, 0,
                                           INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (opened.Get() != nullptr) return UrlAnswer::kOpened;
    return GetLastError() == ERROR_INTERNET_INVALID_CA ? UrlAnswer::kUnknownAuthority : UrlAnswer::kFailed;
}

}  // namespace pathbook::platform
