#pragma once

// CUIComboBox paints a closed drop-down (the current text and an arrow); a click opens its
// choices in a CPopupWnd just below it, and choosing a row makes that row the text and the
// selection. Changes are reported as WM_UI_CHANGED: (id, UI_CHANGED_TEXT) when the text changes,
// then (id, UI_CHANGED_SELECTION) when the selection does. The click itself is the usual
// WM_COMMAND. Needs a root bound to a window to open; GUI thread only.

#include <string>
#include <vector>

#include "trellis/export.h"
#include "trellis/popup_wnd.h"
#include "trellis/ui_object.h"

class TRELLIS_API CUIComboBox : public CUIObject {
public:
    static constexpr UINT kNoSelection = 0xFFFFFFFF;

    CUIComboBox();

    // Appends a choice; the first one also becomes the text (without selecting it). Returns 1.
    int AddString(const wchar_t* text);

    // The current text.
    std::wstring GetSelectString() const { return text_; }

    // Makes choice index the text and the selection. 0 (and nothing changes) when index is not
    // a choice or is selected already.
    int SetSelectItem(UINT index);

    // The selected choice, kNoSelection when none.
    UINT GetSelectItem() const { return selection_; }

    // The drop-down list (for its window and rows).
    const CPopupWnd& GetPopup() const { return popup_; }

    // Applies the row chosen in the popup, if any. Returns 1.
    int OnInActive();
    static int StOnInActive(UINT state, HWND other, int minimized, void* context);

    int OnDraw(CDC* dc, const RECT* rect) override;
    int OnMouseLUp(POINT pt) override;

protected:
    void OpenPopup();
    void DrawArrow(CDC* dc, const CRect& area);

    CPopupWnd popup_;
    std::vector<std::wstring> strings_;
    UINT selection_ = kNoSelection;
};
