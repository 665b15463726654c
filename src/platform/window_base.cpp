#include "platform/window_base.h"

#include "platform/gdi.h"

#include <windowsx.h>

#include <cassert>
#include <utility>

namespace qm {

WindowBase::~WindowBase() {
    assert(!hwnd_ && "the most derived class destroys its window");
    if (hwnd_) {
        // Too late for the handlers: the window goes without them.
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(hwnd_, nullptr));
    }
}

bool WindowBase::CreateWindowObject(const char* class_name, DWORD ex_style, DWORD style,
                                    const char* caption, int x, int y, int width, int height,
                                    HWND parent, HICON icon, HICON small_icon) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(instance, class_name, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = StaticWndProc;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hIconSm = small_icon ? small_icon : icon;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = class_name;
        if (!RegisterClassExA(&wc))
            return false;
    }
    return CreateWindowExA(ex_style, class_name, caption, style, x, y, width, height, parent,
                           nullptr, instance, this) != nullptr;
}

void WindowBase::DestroyWindowObject() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void WindowBase::OnClose() {
    DestroyWindow(hwnd_);
}

LRESULT WindowBase::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

LRESULT WindowBase::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
        return 0;
    case WM_PAINT: {
        PaintDc dc(hwnd_);
        OnPaint(dc.get());
        return 0;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam),
                                      static_cast<int>(message - WM_CTLCOLORMSGBOX)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_DRAWITEM:
        if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)))
            return TRUE;
        break;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wparam)))
            return TRUE;
        break;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
        return 0;
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OnButtonDown(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
        return 0;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wparam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_ENDSESSION:
        OnEndSession(wparam != FALSE);
        return 0;
    default:
        break;
    }
    return OnMessage(message, wparam, lparam);
}

LRESULT CALLBACK WindowBase::StaticWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        self = static_cast<WindowBase*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProcA(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    return self->Dispatch(message, wparam, lparam);
}

} // namespace qm
