#pragma once

// CUIButton: one class for the toolkit's buttons, its look chosen by a style word: an image
// cut from a strip (one rectangle per state: normal, hover, pressed), a text, image and text
// side by side or stacked, any of these with a 12-pixel drop-down strip, a check box drawn from
// built-in glyphs, or a colour swatch. Hover and pressed feedback is drawn with translucent
// fills over a translucent background.
//
// A click is reported as by every object (WM_COMMAND, or WM_SYSCOMMAND with a system command);
// a click on the drop-down strip instead as WM_UI_MESSAGE with UIN_DROPDOWN, and a check box
// reports each toggle as WM_UI_CHANGED (id, UI_CHANGED_CHECK) before its WM_COMMAND. Over the
// whole button the pointer is a hand.

#include "gfx/image.h"
#include "trellis/export.h"
#include "trellis/ui_object.h"

constexpr DWORD UIBS_TEXT = 0x001;       // show the text
constexpr DWORD UIBS_IMAGE = 0x002;      // show the strip image
constexpr DWORD UIBS_DROPDOWN = 0x004;   // a 12-pixel drop-down strip, at the bottom by default
constexpr DWORD UIBS_IMAGETOP = 0x010;   // with an image: text in a 23-pixel band below it
constexpr DWORD UIBS_DROPRIGHT = 0x020;  // with UIBS_DROPDOWN: the strip at the right instead
constexpr DWORD UIBS_CHECK = 0x100;      // a check box
constexpr DWORD UIBS_COLOR = 0x200;      // a colour swatch

class TRELLIS_API CUIButton : public CUIObject {
public:
    // The style word (UIBS_ bits); takes effect at the next paint.
    int SetBtStyle(DWORD style);
    DWORD GetBtStyle() const { return style_; }

    // Loads the strip image from resource resourceId of resourceType (such as L"PNG") in the
    // current resource module (trellis/resources.h), premultiplied once, and cuts the states
    // from it: null hover or pressed rectangles mean the normal one. 1 when the image loaded;
    // 0 leaves the button without an image (its rectangles are stored either way).
    int SetImage(UINT resourceId, const wchar_t* resourceType, const RECT* normal,
                 const RECT* hover, const RECT* pressed);

    // The same from a file: an absolute path, or one relative to the program's folder. 0 when
    // the file cannot be loaded; the button then has no image and keeps its old rectangles.
    int SetImage(const wchar_t* path, const RECT* normal, const RECT* hover, const RECT* pressed);

    // The size of the normal rectangle while an image is loaded, else (0, 0).
    CSize GetImageSize() const;

    // Splits area into the image, text and drop-down parts for the current style; parts the
    // style has not are empty. Any out pointer may be null.
    int GetAllRect(const RECT* area, CRect* image, CRect* text, CRect* dropDown) const;

    // Stores the check state, reports WM_UI_CHANGED (id, UI_CHANGED_CHECK) and redraws.
    int SetCheck(int check);
    int GetCheck() const { return check_; }

    // Makes the button a colour swatch of colour (a colour reference): the style becomes
    // exactly UIBS_COLOR.
    int SetColor(DWORD colour);

    // Background fills for the normal, hover and pressed states, each a colour reference with
    // an opacity in the top byte. The pressed look is a fixed dark overlay; the pressed colour
    // is kept for derived buttons.
    int SetBkColor(DWORD normal, DWORD hover, DWORD pressed);

    int OnDraw(CDC* dc, const RECT* rect) override;
    int OnMouseMove(POINT pt) override;
    int OnMouseOut() override;
    int OnMouseLUp(POINT pt) override;
    int OnSetCursor(HICON icon, CPoint pt) override;

protected:
    // The pieces OnDraw is made of, for derived buttons.
    int OnDrawButton(CDC* dc, const RECT* rect);
    int OnDrawCheck(CDC* dc, const RECT* rect);
    int OnDrawColor(CDC* dc, const RECT* rect);
    void OnDrawImage(CDC* dc, const RECT* area);
    void OnDrawText(CDC* dc, const RECT* area);
    void OnDrawDown(CDC* dc, const RECT* area);

    // The drop-down strip in client coordinates; empty when the style has none.
    CRect DropDownStrip() const;

    DWORD style_ = UIBS_TEXT;
    BOOL check_ = 0;
    CImage strip_;
    CRect normalRect_;
    CRect hoverRect_;
    CRect pressedRect_;
    DWORD swatchColor_ = 0xFFFFFFFF;
    DWORD normalBkColor_ = 0x00FFFFFF;
    DWORD hoverBkColor_ = 0x96FFFFFF;
    DWORD pressedBkColor_ = 0x32FFFFFF;
    BOOL dropHot_ = 0;  // the pointer is over the drop-down strip

private:
    void StoreStateRects(const RECT* normal, const RECT* hover, const RECT* pressed);
};
