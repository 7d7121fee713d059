#pragma once

// CMainUIObject, the root of an object tree bound to a window of the window layer. Attach
// puts its own procedure in front of the window's: window messages become tree events (size,
// paint, mouse, hover, cursor, hit test), and the window gets an owner-drawn look: a
// background colour with an optional image covering it, a one-pixel frame along a window shape
// with rounded corners, and a caption bar made of toolkit objects (icon, caption text and up to
// five caption buttons, chosen by SetStyle). The caption buttons carry out their window
// actions themselves; dragging the background or caption moves the window and its 5-pixel
// border resizes it, through the answers to WM_NCHITTEST.
//
// A message the root answers with non-zero never reaches the window's own procedure; one it
// answers with 0 does. Objects registered with SetMsgHookObject see every message of the
// window first. When the window is destroyed (WM_NCDESTROY), or the root before it, the
// window's procedure is restored and the root hears no more of it.
//
// Ownership and threading as for every toolkit object (trellis/ui_object.h): GUI thread only;
// one root per window.

#include <map>
#include <vector>

#include "gfx/image.h"
#include "trellis/export.h"
#include "trellis/ui_button.h"
#include "trellis/ui_image.h"
#include "trellis/ui_root.h"
#include "trellis/ui_static.h"
#include "trellis/window_sink.h"
#include "ui/window_api.h"

// Ids of the two application caption buttons; their clicks arrive as WM_COMMAND.
constexpr UINT ID_UI_MENU = 0x40;
constexpr UINT ID_UI_SKIN = 0x20;

// SetStyle bits: which caption objects show.
constexpr UINT UIS_MINIMIZEBOX = 0x01;
constexpr UINT UIS_MAXIMIZEBOX = 0x02;
constexpr UINT UIS_ICON = 0x04;
constexpr UINT UIS_CAPTION = 0x08;
constexpr UINT UIS_CLOSEBOX = 0x10;
constexpr UINT UIS_SKINBOX = 0x20;
constexpr UINT UIS_MENUBOX = 0x40;

// Paints over the background and frame, under the objects; rect is the client area.
using UIDrawProc = void (*)(CDC* dc, const RECT* rect, void* context);

class TRELLIS_API CMainUIObject : public CUIRoot {
public:
    CMainUIObject();
    ~CMainUIObject() override;

    // Sets up the seven caption objects (called by the constructor): all five buttons show
    // until SetStyle says otherwise.
    void Initctrl();

    // Binds the root to window: its procedure goes in front of the window's, the caption takes
    // the window's small icon (or, without one, the icon hides and the caption starts in its
    // place) and title, and the root takes the client area. 1 on success, also when already
    // bound to window; 0 for a dead window or one that already has another root.
    int Attach(HWND window);

    // The procedure Attach installs.
    static LRESULT STWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    // The window's messages; non-zero answers replace the window's own handling.
    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Background colour, background image, frame, draw callback, objects.
    int OnDraw(CDC* dc, const RECT* rect) override;

    // Also gives the window a shape with rounded corners over rect.
    int SetRect(const RECT* rect) override;

    // Shows the caption objects named by the UIS_ bits and lines the visible buttons up from
    // the right edge (close, minimise, maximise, menu, skin), the caption text ending 2 pixels
    // before the leftmost; lays the bar out at once. Returns 1.
    int SetStyle(UINT style);
    UINT GetStyle() const { return style_; }

    // Background and frame colours (colour references); redraws. Returns 1.
    int SetColor(COLORREF background, COLORREF frame);

    // Loads the image at path (absolute, or relative to the program's folder) to cover the
    // background, cut from its top-left corner to the window's proportions. 0, and no image,
    // when it cannot be loaded.
    int SetBkImage(const wchar_t* path);

    // The callback painting between the frame and the objects; null for none. Returns 1.
    int SetDrawProc(UIDrawProc proc, void* context);

    // Adds (add non-zero; once) or removes an object that sees every message of the window
    // before the root. Returns 1.
    int SetMsgHookObject(CUIObject* object, int add) override;

    // The caption objects: the button for SC_CLOSE, SC_MAXIMIZE, SC_MINIMIZE, ID_UI_MENU or
    // ID_UI_SKIN (null for another id), the icon, the caption text.
    CUIButton* GetCaptionButton(UINT id);
    CUIImage& GetIconObject() { return icon_; }
    CUIStatic& GetCaptionObject() { return caption_; }

protected:
    // One entry per bound window: the procedure to chain to and the root (null after the root
    // let go while another procedure still chains to STWindowProc).
    struct tagWinProcMap {
        WNDPROC previous = nullptr;
        CMainUIObject* object = nullptr;
    };

    // Every bound window's entry; shared by all roots of the process.
    static std::map<HWND, tagWinProcMap>& WindowProcMap();
    static int AddWindowProc(HWND window, CMainUIObject* object, WNDPROC previous);
    static int DeleteWindowProc(HWND window);
    static tagWinProcMap* FindWindowProc(HWND window);

    // Lets every hook object see the message. Returns 1.
    int NotifyHookObject(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    // Restores the window's procedure (or, when another one chains to ours, stops hearing
    // messages) and forgets the window.
    void Detach();

    LRESULT HitTest(LPARAM screenPoint);
    void OnCaptionCommand(WPARAM command);
    // Shows the maximise or restore glyph for the window's state (a WM_SIZE kind).
    void ShowSizeKind(WPARAM kind);
    // The mouse messages (client points); other messages are ignored.
    void OnMouseMessage(HWND window, UINT msg, POINT pt);
    void OnWindowMouseMove(POINT pt);
    void OnWindowMouseLeave();
    void ShowWindowIcon();
    void DrawBackgroundImage(CDC* dc, const RECT& rect);
    void AnchorRightOf(CUIObject& object, CUIObject* previous);

    // Declared before the caption objects, so that it outlives them.
    WindowSink sink_;
    UIDrawProc drawProc_ = nullptr;
    void* drawContext_ = nullptr;
    BOOL trackingArmed_ = 0;
    CImage bkImage_;
    COLORREF bkColor_;
    COLORREF frameColor_;
    UINT style_ = 0;
    std::vector<CUIObject*> hooks_;

    CUIButton closeButton_;
    CUIButton maximizeButton_;
    CUIButton minimizeButton_;
    CUIButton menuButton_;
    CUIButton skinButton_;
    CUIImage icon_;
    CUIStatic caption_;
};
