#pragma once

// CMessageSink: what a tree of toolkit objects needs from the window that shows it. The root
// object (CUIRoot) forwards its objects' messages, redraw requests, tooltips and cursor changes
// here; the window layer implements it for a real window, tests with a recorder.

#include <Qt>
#include <string>

#include "gfx/wintypes.h"
#include "trellis/export.h"

class TRELLIS_API CMessageSink {
public:
    virtual ~CMessageSink() = default;

    // The window the objects report to; null when there is none.
    virtual HWND GetWnd() = 0;

    // Delivers msg to the window synchronously and returns its answer. Pointers in wParam and
    // lParam stay valid only for the duration of the call.
    virtual LRESULT SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

    // Asks for rect (window client coordinates; the whole window when null) to be repainted.
    // Returns non-zero when the request was accepted.
    virtual BOOL Invalidate(const RECT* rect) = 0;

    // Makes text the window's tooltip and hides any tip showing, so the new text appears at
    // the next rest of the pointer; an empty text withdraws the tip.
    virtual void PopTip(const std::wstring& text) = 0;

    // Shows shape as the pointer over the window; implementations skip a shape already shown.
    virtual void SetCursorShape(Qt::CursorShape shape) = 0;
};
