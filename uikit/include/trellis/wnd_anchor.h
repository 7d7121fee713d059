#pragma once

// CWndAnchor keeps real child windows glued to edges of their parent or of sibling windows
// when a window is resized, with the same edge flags and arithmetic as object anchors: each
// anchored edge follows a target's edge plus an offset; an axis with one anchored edge moves
// the window, an axis with both stretches it.
//
// Windows are the window layer's handles (child windows of one parent, and the parent). The
// arithmetic works through CAnchorWindows, a small interface to the windows, so it runs without
// a window system; WindowLayerWindows() serves the window layer. A window that has been
// destroyed is forgotten at the next Relayout, and an edge anchored to a destroyed target is
// left free, so windows may go away while registered. User-interface thread only.

#include <optional>
#include <vector>

#include "gfx/wintypes.h"
#include "trellis/anchor_edges.h"
#include "trellis/export.h"

using AnchorWnd = HWND;

class TRELLIS_API CAnchorWindows {
public:
    virtual ~CAnchorWindows() = default;

    // Whether window is still alive.
    virtual bool IsWindow(AnchorWnd window) = 0;

    // The window window is a child of; null for a top-level window.
    virtual AnchorWnd GetParent(AnchorWnd window) = 0;

    // window's outer rectangle in the client coordinates of reference, or in screen
    // coordinates when reference is null.
    virtual RECT GetWindowRect(AnchorWnd window, AnchorWnd reference) = 0;

    // The size of window's client area.
    virtual SIZE GetClientSize(AnchorWnd window) = 0;

    // Moves and sizes window to rect, in its parent's client coordinates.
    virtual void SetWindowPos(AnchorWnd window, const RECT& rect) = 0;
};

// The interface over the window layer's handles; one instance for the process.
TRELLIS_API CAnchorWindows& WindowLayerWindows();

// One edge anchor of a window; a null target leaves the edge free.
struct tagWndAnchor {
    AnchorWnd target = nullptr;
    UINT edge = 0;
    int offset = 0;
};

struct tagAnchorWndData {
    AnchorWnd window = nullptr;
    tagWndAnchor left;
    tagWndAnchor top;
    tagWndAnchor right;
    tagWndAnchor bottom;
};

class TRELLIS_API CWndAnchor {
public:
    // windows is not owned and must outlive this object.
    explicit CWndAnchor(CAnchorWindows& windows = WindowLayerWindows()) : windows_(&windows) {}

    // Anchors edge (ANCHOR_LEFT/TOP/RIGHT/BOTTOM) of window to targetEdge of target plus
    // offset, replacing that edge's earlier anchor; target is the window's parent or a window
    // beside it. The window's record is created on first use, in registration order. 0 (and
    // nothing stored) for an unknown edge.
    int SetAnchor(AnchorWnd window, UINT edge, AnchorWnd target, UINT targetEdge, int offset);

    // Forgets the records of destroyed windows, then places every other registered window by
    // its anchors, in registration order; register a window after the sibling it follows.
    // Returns 1.
    int Relayout();

    // Forgets every record.
    void Clear() { records_.clear(); }

protected:
    tagAnchorWndData* FindAnchorWnd(AnchorWnd window);

    // Places one window; 1 when it has a live anchor (and was placed), else 0.
    int OnAnchor(const tagAnchorWndData& record);

    // The coordinate an anchor asks for, in the parent's client coordinates; none for a free
    // edge or a destroyed target.
    std::optional<LONG> AnchorValue(const tagWndAnchor& anchor, AnchorWnd parent);

private:
    CAnchorWindows* windows_;
    std::vector<tagAnchorWndData> records_;
};
