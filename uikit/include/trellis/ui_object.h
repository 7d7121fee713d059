#pragma once

// CUIObject, the base of every owner-drawn element: a windowless rectangle in a tree of such
// rectangles under one root (CUIRoot) that stands for a real window.
//
// The tree decides where each object is (rectangles relative to the parent, re-computed from
// edge anchors when the parent's size changes), what is painted in which order (each child
// paints into its own buffer that starts as a copy of what lies below it; the child added first
// lies on top), and which object gets the mouse (the deepest visible object under the pointer,
// the "leaf"). Objects report to the window by messages (trellis/messages.h) sent through the
// root.
//
// Ownership: the tree holds plain pointers; the application owns every object and keeps it
// alive while it is in a tree. An object that is destroyed leaves its parent's lists, the
// root's mouse, mouse-down and hover pointers and the anchors of its siblings and children;
// its children lose their parent (they stay alive and unreachable). Objects cannot be copied.
//
// Results follow the host's convention: 1 when done, 0 when not. Operations that need the root
// (messages, tooltips, redraw, cursor) do nothing on an object without a root.
//
// Threading: every operation runs on the thread of the root's window.

#include <Qt>
#include <string>
#include <vector>

#include "gfx/dc.h"
#include "gfx/geometry.h"
#include "trellis/anchor_edges.h"
#include "trellis/export.h"
#include "trellis/messages.h"

class CUIObject;

// One edge anchor: the edge follows target's edge plus offset. A null target leaves the edge
// free.
struct tagUIAnchor {
    CUIObject* target = nullptr;
    UINT edge = ANCHOR_NONE;
    int offset = 0;
};

class TRELLIS_API CUIObject {
public:
    CUIObject() = default;
    virtual ~CUIObject();
    CUIObject(const CUIObject&) = delete;
    CUIObject& operator=(const CUIObject&) = delete;

    // Window message seen by the object (used by objects the root lets see every message).
    // The base ignores it and returns 0.
    virtual LRESULT OnMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Paints the object on dc within rect (its client rectangle). The base paints only its
    // children: a bare CUIObject is an invisible container.
    virtual int OnDraw(CDC* dc, const RECT* rect);

    // Mouse handlers take points in this object's client coordinates. Each passes the event to
    // the child under the point (in that child's coordinates) and otherwise acts itself.
    virtual int OnMouseMove(POINT pt);
    virtual int OnMouseOut();
    virtual int OnMouseOver(POINT pt);  // the pointer rested
    virtual int OnMouseLDown(POINT pt);
    virtual int OnMouseLUp(POINT pt);

    // The object's size changed: re-anchors every child, in the order they were added.
    virtual int OnSize(const RECT* client);

    // Moves the object by its anchors. 1 when it has any anchor (it was placed), else 0.
    virtual int OnAnchor();

    // Asks the child under pt for a cursor; 0 when none answers (the window's default cursor).
    virtual int OnSetCursor(HICON icon, CPoint pt);

    // Forwarded to the root: tooltip text ("" withdraws it), window, messages, redraw.
    virtual int PopTip(const wchar_t* text);
    virtual HWND GetWnd();

    // Whether the mouse falls through the object at pt (parent coordinates). The base answers
    // the transparency flag.
    virtual BOOL IsTransparency(POINT pt);

    // Hook for derived classes, called when the text changes. The base returns 1.
    virtual int OnTextChange(const wchar_t* text);

    // Asks for rect (client coordinates; the whole object when null) to be repainted.
    virtual int ReDraw(const RECT* rect);

    // Sends msg to the root's window; the answer, or 1 when there is no root.
    virtual LRESULT SendMessageToWnd(UINT msg, WPARAM wParam, LPARAM lParam);

    // The root's per-window pointers: the leaf under the pointer, the leaf that got the press,
    // the leaf whose tooltip shows. Getters answer null and setters 0 without a root.
    virtual CUIObject* GetMouseObject();
    virtual int SetMouseObject(CUIObject* object);
    virtual CUIObject* GetMouseDownObject();
    virtual int SetMouseDownObject(CUIObject* object);
    virtual CUIObject* GetMouseHoverObject();
    virtual int SetMouseHoverObject(CUIObject* object);

    // Text colour and the colour of its soft shadow (colour references); redraws.
    virtual int SetTextColor(DWORD text, DWORD background);

    // Adds (add non-zero) or removes an object that sees every window message; up to the root.
    virtual int SetMsgHookObject(CUIObject* object, int add);

    // Stores rect (parent coordinates), lays the children out twice so that anchors between
    // siblings settle, and redraws.
    virtual int SetRect(const RECT* rect);

    // Shows shape as the pointer; up to the root.
    virtual int SetCursorShape(Qt::CursorShape shape);

    // Sets id and text (null means empty; a changed text also becomes the tip text and is
    // reported as WM_UI_CHANGED), joins parent's children when parent is non-null, then SetRect.
    int Create(const wchar_t* text, const RECT* rect, CUIObject* parent, UINT id);

    // Anchors edge (ANCHOR_LEFT/TOP/RIGHT/BOTTOM) to targetEdge of target plus offset; target
    // is the parent or a sibling, and chains must not be circular. A null target frees the
    // edge. Takes effect at the parent's next layout. 0 for an unknown edge.
    int Anchor(UINT edge, CUIObject* target, UINT targetEdge, int offset);

    int GetRect(RECT* rect) const;        // parent coordinates
    int GetClientRect(RECT* rect) const;  // (0, 0, width, height)
    int GetWndRect(RECT* rect) const;     // the root's client coordinates

    // Replaces the text unless it equals the current one (a null text always counts as a
    // change and stores ""); the tip text too when alsoTip is non-zero. Reports WM_UI_CHANGED
    // (id, UI_CHANGED_TEXT) and redraws.
    int SetText(const wchar_t* text, int alsoTip);
    std::wstring GetText() const { return text_; }
    std::wstring GetTipText() const { return tipText_; }
    int SetTipText(const wchar_t* text);

    DWORD GetTextColor() const { return textColor_; }
    DWORD GetTextColorBk() const { return textBkColor_; }

    int SetVisible(int visible);
    BOOL IsVisible() const { return visible_; }
    BOOL IsMouseInWnd() const { return mouseIn_; }
    BOOL IsMouseDown() const { return mouseDown_; }

    // A transparent object is skipped by hit testing: the mouse reaches what lies below.
    int SetTransparency(BOOL transparency);
    BOOL IsTransparency() const { return transparency_; }

    // A non-zero system command makes clicks send WM_SYSCOMMAND instead of WM_COMMAND.
    int SetSysCommand(UINT command);

    // WM_UI_MESSAGE with a record {id, msg, wParam, lParam}; the window's answer.
    LRESULT SendMessageUI(UINT id, UINT msg, UINT wParam, LONG lParam);
    // WM_COMMAND with MAKEWPARAM(low, high) and 0; the window's answer.
    LRESULT SendMessageCommand(UINT low, UINT high);

    // The topmost visible, non-transparent child containing pt (client coordinates), or null.
    // Only direct children are tested.
    CUIObject* FindSubObject(CPoint pt);

    // Makes the system cursor name (trellis/cursors.h) current; 0 for an unknown name.
    int SetCursor(const wchar_t* name);

    // Translucent fill of rect, and a one-pixel frame along its four edges (the corners are
    // blended twice), in colour (colour reference) at opacity alpha 0-255.
    static void DrawAlphaRect(CDC* dc, const RECT* rect, DWORD colour, UINT alpha);
    static void DrawAlphaFrameRect(CDC* dc, const RECT* rect, DWORD colour, UINT alpha);

protected:
    // Makes child the newest child: painted first (lowest), laid out last. Does not set the
    // child's parent (Create does). A child already present is left where it is.
    int AddSubObject(CUIObject* child);

    // Paints each visible child into its own buffer (the child's part that lies on dc),
    // started as a copy of dc under the child, and copies the buffer back. The newest child is
    // painted first.
    void DrawSubObject(CDC* dc);

    // Withdraws a showing tooltip and clears the hover object.
    void WithdrawTip();

    // After a release this object has handled: clears the mouse-down object and, when that is
    // another object, its pressed state, without a second report. One release gives at most
    // one click.
    void ReleaseMouseDownObject();

    CRect ClientRect() const { return {0, 0, rect_.Width(), rect_.Height()}; }

    std::vector<CUIObject*> drawList_;    // newest child first
    std::vector<CUIObject*> layoutList_;  // in the order they were added
    CRect rect_;
    UINT id_ = 0;
    UINT sysCommand_ = 0;
    CUIObject* parent_ = nullptr;
    DWORD textColor_ = 0x000000;
    DWORD textBkColor_ = 0xFFFFFF;
    BOOL mouseIn_ = 0;
    BOOL mouseDown_ = 0;
    BOOL visible_ = 1;
    BOOL transparency_ = 0;
    std::wstring text_;
    std::wstring tipText_;
    tagUIAnchor leftAnchor_;
    tagUIAnchor topAnchor_;
    tagUIAnchor rightAnchor_;
    tagUIAnchor bottomAnchor_;

private:
    CPoint ToChild(const CUIObject* child, POINT pt) const;
    int AnchorValue(const tagUIAnchor& anchor) const;
    void StoreText(const wchar_t* text, bool alsoTip);
    void DrawChild(CDC* dc, CUIObject& child);
    void RemoveSubObject(CUIObject* child);
    void ForgetAnchorsTo(const CUIObject* target);
    void LeaveTree();
    void UnhookSubtree(CUIObject* object);
};
