#include "web_notifier.h"

#include <memory>
#include <string>

#include "bstr.h"
#include "ui/window_api.h"

namespace basalt {
namespace {

struct BstrFree {
    void operator()(wchar_t* text) const { FreeBstr(text); }
};
using OwnedBstr = std::unique_ptr<wchar_t, BstrFree>;

OwnedBstr Bstr(std::wstring_view text) {
    return OwnedBstr(AllocBstr(text));
}

}  // namespace

WebWndNotification WebNotifier::NewRecord(int32_t code) const {
    WebWndNotification record{};
    record.code = code;
    record.window = window_;
    return record;
}

void WebNotifier::Send(WebWndNotification& record) const {
    SendMessage(parent_, message_, reinterpret_cast<WPARAM>(&record), 0);
}

void WebNotifier::DocumentComplete(std::wstring_view url) const {
    if (!Sends()) {
        return;
    }
    const std::wstring text(url);
    WebWndNotification record = NewRecord(WEBWND_DOCUMENT_COMPLETE);
    record.detail.completedUrl = text.c_str();
    Send(record);
}

void WebNotifier::ElementClicked(int32_t code) const {
    if (!Sends()) {
        return;
    }
    WebWndNotification record = NewRecord(code);
    Send(record);
}

bool WebNotifier::NewWindow(uint32_t flags, std::wstring_view context,
                            std::wstring_view url) const {
    if (!Sends()) {
        return false;
    }
    int16_t cancel = 0;
    const OwnedBstr contextText = Bstr(context);
    const OwnedBstr urlText = Bstr(url);
    WebWndNotification record = NewRecord(WEBWND_NEW_WINDOW);
    record.detail.newWindow = {&cancel, flags, contextText.get(), urlText.get()};
    Send(record);
    return cancel != 0;
}

bool WebNotifier::NavigateError(std::wstring_view url, int32_t status) const {
    if (!Sends()) {
        return false;
    }
    int16_t cancel = 0;
    const OwnedBstr urlText = Bstr(url);
    const OwnedBstr frame = Bstr(L"");
    WebWndNotification record = NewRecord(WEBWND_NAVIGATE_ERROR);
    record.detail.error = {&cancel, urlText.get(), frame.get(), status};
    Send(record);
    return cancel != 0;
}

}  // namespace basalt
