#pragma once

// Sends a web window's notifications to its parent: message with a WebWndNotification by
// address in wParam, synchronously. Nothing is sent without a parent or with message 0. The
// strings of a record live until the send returns. GUI thread only.

#include <cstdint>
#include <string_view>

#include "basalt/basalt.h"

namespace basalt {

class WebNotifier {
public:
    WebNotifier(HWND parent, unsigned int message) : parent_(parent), message_(message) {}

    // The web window the records name.
    void SetWindow(HWND window) { window_ = window; }

    void DocumentComplete(std::wstring_view url) const;
    // code is WEBWND_CLOSE or WEBWND_CLOSE_OK.
    void ElementClicked(int32_t code) const;
    // Each answers whether the parent cancelled.
    bool NewWindow(uint32_t flags, std::wstring_view context, std::wstring_view url) const;
    bool NavigateError(std::wstring_view url, int32_t status) const;

private:
    bool Sends() const { return parent_ != nullptr && message_ != 0; }
    void Send(WebWndNotification& record) const;
    WebWndNotification NewRecord(int32_t code) const;

    HWND parent_;
    unsigned int message_;
    HWND window_ = nullptr;
};

}  // namespace basalt
