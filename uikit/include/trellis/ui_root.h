#pragma once

// CUIRoot, the root of one object tree. It stands for a window: it holds the window's mouse,
// mouse-down and hover pointers, and hands messages, redraw requests, tooltips and cursor
// changes to a message sink (the window layer, or a recorder in tests). Without a sink these
// go nowhere: messages answer 0, redraws 0.
//
// The root's rect is the window's client rectangle; its children are the window's objects.
// Same threading and ownership rules as CUIObject.

#include "trellis/export.h"
#include "trellis/message_sink.h"
#include "trellis/ui_object.h"

class TRELLIS_API CUIRoot : public CUIObject {
public:
    // sink is not owned and must outlive the root, or be replaced first.
    explicit CUIRoot(CMessageSink* sink = nullptr) : sink_(sink) {}

    void SetMessageSink(CMessageSink* sink) { sink_ = sink; }
    CMessageSink* GetMessageSink() const { return sink_; }

    int PopTip(const wchar_t* text) override;
    HWND GetWnd() override;
    int ReDraw(const RECT* rect) override;
    LRESULT SendMessageToWnd(UINT msg, WPARAM wParam, LPARAM lParam) override;
    CUIObject* GetMouseObject() override { return mouseObject_; }
    int SetMouseObject(CUIObject* object) override;
    CUIObject* GetMouseDownObject() override { return mouseDownObject_; }
    int SetMouseDownObject(CUIObject* object) override;
    CUIObject* GetMouseHoverObject() override { return hoverObject_; }
    int SetMouseHoverObject(CUIObject* object) override;
    int SetCursorShape(Qt::CursorShape shape) override;

private:
    CMessageSink* sink_ = nullptr;
    CUIObject* mouseObject_ = nullptr;
    CUIObject* mouseDownObject_ = nullptr;
    CUIObject* hoverObject_ = nullptr;
};
