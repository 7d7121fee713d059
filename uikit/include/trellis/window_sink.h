#pragma once

// WindowSink, the message sink of a root bound to a window of the window layer: messages, redraws,
// tooltips and cursors go to the window; with no live window they go nowhere.

#include "trellis/export.h"
#include "trellis/message_sink.h"
#include "ui/window_api.h"

class TRELLIS_API WindowSink final : public CMessageSink {
public:
    void Bind(HWND window) { window_ = window; }
    HWND BoundWindow() const { return window_; }

    HWND GetWnd() override { return IsWindow(window_) ? window_ : nullptr; }
    LRESULT SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        return ::SendMessage(window_, msg, wParam, lParam);
    }
    BOOL Invalidate(const RECT* rect) override { return InvalidateRect(window_, rect, 1); }
    void PopTip(const std::wstring& text) override { SetWindowToolTip(window_, text); }
    void SetCursorShape(Qt::CursorShape shape) override { SetWindowCursor(window_, shape); }

private:
    HWND window_ = nullptr;
};
