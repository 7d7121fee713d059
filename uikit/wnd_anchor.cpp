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
    std::erase_if(records_, [this](const tagAnchorWndData& record) {
        return !windows_->IsWindow(record.window);
    });
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

std::optional<LONG> CWndAnchor::AnchorValue(const tagWndAnchor& anchor, AnchorWnd parent) {
    if (anchor.target == nullptr || !windows_->IsWindow(anchor.target)) {
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
}

int CWndAnchor::OnAnchor(const tagAnchorWndData& record) {
    const AnchorWnd parent = windows_->GetParent(record.window);
    const AnchoredEdges edges{AnchorValue(record.left, parent), AnchorValue(record.top, parent),
                              AnchorValue(record.right, parent),
                              AnchorValue(record.bottom, parent)};
    if (!edges.Any()) {
        return 0;
    }
    const RECT current = windows_->GetWindowRect(record.window, parent);
    windows_->SetWindowPos(record.window, ApplyAnchoredEdges(current, edges));
    return 1;
}
