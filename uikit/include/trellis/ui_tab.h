#pragma once

// CUITab, a row of text tabs from the left edge, each 10 pixels wider than its text in the
// window's font, without gaps. The selected ("hot") tab is drawn in red on a stronger white,
// the tab under the pointer in orange. A click on a tab selects it and is reported as the
// object's WM_COMMAND (the application reads GetHotIndex); the strip is see-through between
// and after its tabs, so clicks there reach whatever lies below. GUI thread only.

#include <string>
#include <vector>

#include "trellis/export.h"
#include "trellis/ui_object.h"

class TRELLIS_API CUITab : public CUIObject {
public:
    using CUIObject::IsTransparency;

    // Appends a tab and lays the tabs out; answers its index.
    int AddItem(const wchar_t* text);

    // Removes every tab; none is selected or under the pointer afterwards.
    void Clear();

    int GetItemCount() const { return static_cast<int>(items_.size()); }
    // The tab's rectangle in the strip's client coordinates; empty for a bad index.
    CRect GetItemRect(int index) const;

    // Lays the tabs out again (after the font or texts changed). Returns 0.
    virtual int ReCalculate();

    // The first tab containing pt (client coordinates), or -1.
    int HitTest(POINT pt) const;

    // The selected tab, -1 for none; SetHotIndex selects (any value; -1 for none) and redraws.
    int GetHotIndex() const { return hotIndex_; }
    int SetHotIndex(UINT index);

    int OnDraw(CDC* dc, const RECT* rect) override;
    int OnMouseMove(POINT pt) override;
    int OnMouseOut() override;
    int OnMouseLUp(POINT pt) override;
    int OnSize(const RECT* client) override;
    int OnSetCursor(HICON icon, CPoint pt) override;
    BOOL IsTransparency(POINT pt) override;

protected:
    struct TabItem {
        std::wstring text;
        CRect rect;
    };

    std::vector<TabItem> items_;
    int hotIndex_ = -1;
    int hoverIndex_ = -1;
};
