#pragma once

// CUIEdit paints a text field as a toolkit object; a click puts a real line edit (QLineEdit)
// over it, inset by 4 pixels, with the field's text selected. What was typed flows back into
// the object, reported as WM_UI_CHANGED (id, UI_CHANGED_TEXT) when it differs, when the user
// presses the mouse elsewhere in the window (on an object, the background or the caption) or
// the window is deactivated; the line edit then hides. A click inside the field while editing keeps
// what was typed.
//
// The line edit is a child of the root's window, made at the first click and kept; it is
// deleted with the object (or with the window, if that goes first). Needs a root bound to a
// window (CMainUIObject); without one a click is only reported. GUI thread only.

#include <QPointer>

#include "trellis/export.h"
#include "trellis/ui_object.h"

class QLineEdit;

class TRELLIS_API CUIEdit : public CUIObject {
public:
    CUIEdit() = default;
    ~CUIEdit() override;

    // The line edit once made, else null.
    QLineEdit* GetEditControl() const;

    int OnDraw(CDC* dc, const RECT* rect) override;
    int OnMouseLUp(POINT pt) override;
    int OnSize(const RECT* client) override;
    int OnTextChange(const wchar_t* text) override;

    // Sees every message of the root's window while the field is being edited, to commit.
    LRESULT OnMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    bool CreateControl();
    bool IsEditing() const;
    void Commit();
    CRect ControlRect() const;

    QPointer<QLineEdit> control_;
};
