// CMainUIObject: binding to a window, the procedure chain, and the hook objects.

#include "trellis/main_ui_object.h"

#include <algorithm>

namespace {

// A root's answer replaces the window's own handling; the default procedure still runs after
// it, except where that would undo the root's work: the cursor the objects chose, and the
// caption commands the root has already carried out.
bool DefaultRunsAfterAnswer(UINT msg, LPARAM lParam) {
    return msg != WM_SETCURSOR && !(msg == WM_SYSCOMMAND && lParam == UI_SYSCOMMAND_TAG);
}

}  // namespace

CMainUIObject::CMainUIObject()
    : bkColor_(GetSysColor(COLOR_WINDOW)), frameColor_(GetSysColor(COLOR_WINDOWFRAME)) {
    SetMessageSink(&sink_);
    Initctrl();
}

CMainUIObject::~CMainUIObject() {
    Detach();
    hooks_.clear();
}

std::map<HWND, CMainUIObject::tagWinProcMap>& CMainUIObject::WindowProcMap() {
    static std::map<HWND, CMainUIObject::tagWinProcMap> map;
    return map;
}

int CMainUIObject::AddWindowProc(HWND window, CMainUIObject* object, WNDPROC previous) {
    WindowProcMap()[window] = {previous, object};
    return 1;
}

int CMainUIObject::DeleteWindowProc(HWND window) {
    WindowProcMap().erase(window);
    return 1;
}

CMainUIObject::tagWinProcMap* CMainUIObject::FindWindowProc(HWND window) {
    const auto found = WindowProcMap().find(window);
    return found != WindowProcMap().end() ? &found->second : nullptr;
}

int CMainUIObject::Attach(HWND window) {
    if (!IsWindow(window)) {
        return 0;
    }
    tagWinProcMap* entry = FindWindowProc(window);
    if (entry != nullptr && entry->object != nullptr) {
        return entry->object == this ? 1 : 0;
    }
    Detach();
    if (entry != nullptr) {
        // STWindowProc is still in the window's chain: take its place there.
        entry->object = this;
    } else {
        AddWindowProc(window, this, GetWindowProc(window));
        if (SetWindowProc(window, &STWindowProc) == nullptr) {
            DeleteWindowProc(window);
            return 0;
        }
    }
    sink_.Bind(window);
    ShowWindowIcon();
    RECT client;
    ::GetClientRect(window, &client);
    SetRect(&client);
    const std::wstring title = GetWindowText(window);
    SetText(title.c_str(), 1);
    caption_.SetText(title.c_str(), 1);
    return 1;
}

void CMainUIObject::ShowWindowIcon() {
    const auto icon = reinterpret_cast<HICON>(SendMessageToWnd(WM_GETICON, ICON_SMALL, 0));
    if (icon != nullptr) {
        icon_.SetImage(icon);
        return;
    }
    icon_.SetVisible(0);
    caption_.Anchor(ANCHOR_LEFT, &icon_, ANCHOR_LEFT, 0);
}

void CMainUIObject::Detach() {
    const HWND window = sink_.BoundWindow();
    if (window == nullptr) {
        return;
    }
    sink_.Bind(nullptr);
    trackingArmed_ = 0;
    icon_.SetImage(HICON{});  // the window's own icon goes with the window
    if (GetCapture() == window) {
        ReleaseCapture();
    }
    tagWinProcMap* entry = FindWindowProc(window);
    if (entry == nullptr || entry->object != this) {
        return;
    }
    if (!IsWindow(window)) {
        DeleteWindowProc(window);
    } else if (GetWindowProc(window) == &STWindowProc) {
        SetWindowProc(window, entry->previous);
        DeleteWindowProc(window);
    } else {
        entry->object = nullptr;
    }
}

LRESULT CMainUIObject::STWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const tagWinProcMap* entry = FindWindowProc(window);
    if (entry == nullptr) {
        return 0;
    }
    const WNDPROC previous = entry->previous;
    CMainUIObject* root = entry->object;
    LRESULT result = root != nullptr ? root->OnMessage(window, msg, wParam, lParam) : 0;
    if (result == 0) {
        result = CallWindowProc(previous, window, msg, wParam, lParam);
    } else if (DefaultRunsAfterAnswer(msg, lParam)) {
        DefWindowProc(window, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        // The handle ends here: no root may hear of it again. Looked up afresh, as the root
        // may have gone while the message was handled.
        tagWinProcMap* last = FindWindowProc(window);
        if (last != nullptr && last->object != nullptr) {
            last->object->Detach();
        }
        DeleteWindowProc(window);
    }
    return result;
}

int CMainUIObject::SetMsgHookObject(CUIObject* object, int add) {
    const auto found = std::find(hooks_.begin(), hooks_.end(), object);
    if (add != 0 && object != nullptr && found == hooks_.end()) {
        hooks_.push_back(object);
    } else if (add == 0 && found != hooks_.end()) {
        hooks_.erase(found);
    }
    return 1;
}

int CMainUIObject::NotifyHookObject(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A hook may remove itself or others while it handles the message.
    const std::vector<CUIObject*> hooks = hooks_;
    for (CUIObject* hook : hooks) {
        if (std::find(hooks_.begin(), hooks_.end(), hook) != hooks_.end()) {
            hook->OnMessage(window, msg, wParam, lParam);
        }
    }
    return 1;
}

int CMainUIObject::SetDrawProc(UIDrawProc proc, void* context) {
    drawProc_ = proc;
    drawContext_ = context;
    return 1;
}
