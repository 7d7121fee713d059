#include "trellis/wnd_anchor.h"

#include <algorithm>
#include <optional>

#include "anchor_layout.h"

int CWndAnchor::SetAnchor(AnchorWnd window, UINT edge, AnchorWnd target, UINT targetEdge,
                          int offset) {
    tagAnchorWndData* record = FindAnchorWnd(window);
    if (record == nullptr) {
        record = &records_.emplace_back(tagAnchorWndData{window, {}, {}, {}, {}});
    }
    const tagWndAnchor anchor{target, targetEdge, offset};
    switch (edge) {
        case ANCHOR_LEFT:
            record->left = anchor;
            return 1;
        case ANCHOR_TOP:
            record->top = anchor;
            return 1;
        case ANCHOR_RIGHT:
            record->right = anchor;
            return 1;
        case ANCHOR_BOTTOM:
            record->bottom = anchor;
            return 1;
        default:
            return 0;
    }
}

int CWndAnchor::Relayout() {
    for (const tagAnchorWndData& record : records_) {
        OnAnchor(record);
    }
    return 1;
}

tagAnchorWndData* CWndAnchor::FindAnchorWnd(AnchorWnd window) {
    const auto found = std::find_if(records_.begin(), records_.end(), [window](const auto& record) {
        return record.window == window;
    });
    return found != records_.end() ? &*found : nullptr;
}

int CWndAnchor::OnAnchor(const tagAnchorWndData& record) {
    const AnchorWnd parent = windows_->GetParent(record.window);
    const auto valueOf = [&](const tagWndAnchor& anchor) -> std::optional<LONG> {
        if (anchor.target == nullptr) {
            return std::nullopt;
        }
        RECT target;
        if (anchor.target == parent) {
            const SIZE client = windows_->GetClientSize(parent);
            target = {0, 0, client.cx, client.cy};
        } else {
            target = windows_->GetWindowRect(anchor.target, parent);
        }
        return EdgeCoordinate(target, anchor.edge) + anchor.offset;
    };
    const AnchoredEdges edges{valueOf(record.left), valueOf(record.top), valueOf(record.right),
                              valueOf(record.bottom)};
    if (!edges.Any()) {
        return 0;
    }
    const RECT current = windows_->GetWindowRect(record.window, parent);
    windows_->SetWindowPos(record.window, ApplyAnchoredEdges(current, edges));
    return 1;
}
