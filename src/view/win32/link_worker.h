// Checks a link's target off the UI thread: each request runs
// ResolveLinkRequest on a thread of its own, and the answer comes back to the
// window as a posted message. Request and result hold only std::u16string, so
// the worker shares no reference-counted text with the UI thread.
#pragma once

#include <windows.h>

#include <memory>

#include "view/link_activation.h"

namespace pathbook {

struct LinkJob {
    LinkRequest request;
    LinkResult result;
};

// Starts the check; `window` receives `message` with lParam a LinkJob* that
// TakeLinkJob adopts. False when no thread could be started.
bool StartLinkJob(HWND window, UINT message, const LinkRequest& request);
std::unique_ptr<LinkJob> TakeLinkJob(LPARAM lParam);

}  // namespace pathbook
