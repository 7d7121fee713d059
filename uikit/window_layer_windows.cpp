// The window interface of CWndAnchor over the window layer's handles.

#include "trellis/wnd_anchor.h"
#include "ui/window_api.h"

namespace {

class WindowLayerAnchorWindows final : public CAnchorWindows {
public:
    bool IsWindow(AnchorWnd window) override { return ::IsWindow(window) != 0; }

    AnchorWnd GetParent(AnchorWnd window) override { return ::GetParent(window); }

    RECT GetWindowRect(AnchorWnd window, AnchorWnd reference) override {
        RECT rect;
        ::GetWindowRect(window, &rect);
        if (reference != nullptr) {
            POINT topLeft{rect.left, rect.top};
            ::ScreenToClient(reference, &topLeft);
            rect = {topLeft.x, topLeft.y, topLeft.x + rect.right - rect.left,
                    topLeft.y + rect.bottom - rect.top};
        }
        return rect;
    }

    SIZE GetClientSize(AnchorWnd window) override {
        RECT client;
        ::GetClientRect(window, &client);
        return {client.right, client.bottom};
    }

    void SetWindowPos(AnchorWnd window, const RECT& rect) override {
        ::SetWindowPos(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       0);
    }
};

}  // namespace

CAnchorWindows& WindowLayerWindows() {
    static WindowLayerAnchorWindows windows;
    return windows;
}
