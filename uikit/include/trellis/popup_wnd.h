#pragma once

// CPopupWnd, a drop-down list in a popup window of its own: rows of 25 pixels, the row under
// the pointer highlighted, a click choosing a row. The keyboard works the list too: the arrow
// keys, Page Up/Down, Home and End move the highlight, Enter chooses the highlighted row and
// Escape closes without a choice. A list too long for its screen scrolls (wheel and keys).
// Choosing a row, a press outside the popup (which then goes on to what lies under the pointer)
// or activating another window hides it; hiding is its deactivation, which calls the inactive
// callback (the owner then reads GetSelectedIndex). The window is made by Create and lives until
// the object goes. GUI thread only.

#include <QPoint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/dc.h"
#include "trellis/export.h"
#include "ui/window_api.h"

// Called when the popup is deactivated: state WA_INACTIVE, the window taking over (null when
// unknown), whether the popup was minimised, and the context given with the callback.
using PopupInactiveProc = int (*)(UINT state, HWND other, int minimized, void* context);

class TRELLIS_API CPopupWnd {
public:
    static constexpr LONG kRowHeight = 25;

    CPopupWnd();
    ~CPopupWnd();
    CPopupWnd(const CPopupWnd&) = delete;
    CPopupWnd& operator=(const CPopupWnd&) = delete;

    // Makes the (hidden) popup window at rect (screen coordinates) with title; with a parent it
    // takes the parent's font, and choosing a row gives the focus back to the parent. 1 on
    // success, 0 when the window exists already.
    int Create(const wchar_t* title, const RECT* rect, HWND parent);

    // The popup window; null before Create.
    HWND GetSafeHwnd() const;

    // callback runs with context at each deactivation; null for none.
    void SetInActiveProc(PopupInactiveProc callback, void* context);

    // Appends a row; an existing window grows to hold every row (rows x 25 pixels high) and the
    // widest text plus 10 pixels, never narrower than it is. Returns 1.
    int AddItem(const wchar_t* text);

    // Removes every row; the window keeps its size.
    void ClearItems();

    int GetItemCount() const { return static_cast<int>(items_.size()); }

    // Shows the popup next to anchor (screen coordinates; the owner's rectangle), at least as
    // wide as anchor: below it when every row fits on the screen that holds anchor, else above
    // it when they fit there, else on the roomier side with as many whole rows as fit, the list
    // then scrolling. selected (-1 for none) is highlighted, scrolled into view, and is what a
    // deactivation without a new choice reports. A press outside the popup on anchor only
    // closes it. 1 when shown, 0 before Create.
    int DropDown(const RECT* anchor, int selected);

    // The row chosen last, -1 before any; kept when the rows change.
    int GetSelectedIndex() const { return selectedIndex_; }

    // The highlighted row (-1 for none) and the first row shown.
    int GetHotIndex() const { return hotRow_; }
    int GetTopIndex() const { return topRow_; }

private:
    class PopupWindow;

    LRESULT OnWindowMessage(PopupWindow& window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnPointerMessage(PopupWindow& window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(CDC* dc);
    void PaintScrollMark(CDC* dc, const CRect& client);
    void FitToItems();
    void TrackPointer(HWND popup);
    int RowAt(int y) const;
    int VisibleRows() const;
    void Highlight(int row);
    void ScrollBy(int rows);
    void OnKey(HWND popup, WPARAM key);
    void Choose(HWND popup, int row);
    void Close(HWND popup);
    bool PassesOnPressAt(QPoint global) const;

    std::unique_ptr<PopupWindow> window_;
    HWND parent_ = nullptr;
    PopupInactiveProc inactiveProc_ = nullptr;
    void* inactiveContext_ = nullptr;
    std::vector<std::wstring> items_;
    BOOL tracking_ = 0;
    int hotRow_ = -1;
    int topRow_ = 0;
    int selectedIndex_ = -1;
    RECT anchor_{0, 0, 0, 0};
};
