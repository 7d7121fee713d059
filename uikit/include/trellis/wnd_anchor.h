#pragma once

// CWndAnchor keeps real child windows glued to edges of their parent or of sibling windows
// when a window is resized, with the same edge flags and arithmetic as object anchors: each
// anchored edge follows a target's edge plus an offset; an axis with one anchored edge moves
// the window, an axis with both stretches it.
//
// The arithmetic works through CAnchorWindows, a small interface to the windows, so it runs
// without a window system; QtWidgetWindows() serves Qt widgets. Window handles are opaque to
// CWndAnchor and interpreted by the interface (QWidget* for the Qt one). Windows and targets
// must stay alive while registered: Clear() before destroying them. User-interface thread only.

#include <vector>

#include "gfx/wintypes.h"
#include "trellis/anchor_edges.h"

using AnchorWnd = void*;

class CAnchorWindows {
public:
    virtual ~CAnchorWindows() = default;

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

// The interface over QWidget handles; one instance for the process.
CAnchorWindows& QtWidgetWindows();

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

class CWndAnchor {
public:
    // windows is not owned and must outlive this object.
    explicit CWndAnchor(CAnchorWindows& windows = QtWidgetWindows()) : windows_(&windows) {}

    // Anchors edge (ANCHOR_LEFT/TOP/RIGHT/BOTTOM) of window to targetEdge of target plus
    // offset, replacing that edge's earlier anchor; target is the window's parent or a window
    // beside it. The window's record is created on first use, in registration order. 0 (and
    // nothing stored) for an unknown edge.
    int SetAnchor(AnchorWnd window, UINT edge, AnchorWnd target, UINT targetEdge, int offset);

    // Places every registered window by its anchors, in registration order; register a window
    // after the sibling it follows. Returns 1.
    int Relayout();

    // Forgets every record.
    void Clear() { records_.clear(); }

protected:
    tagAnchorWndData* FindAnchorWnd(AnchorWnd window);

    // Places one window; 1 when it has an anchor (and was placed), else 0.
    int OnAnchor(const tagAnchorWndData& record);

private:
    CAnchorWindows* windows_;
    std::vector<tagAnchorWndData> records_;
};
