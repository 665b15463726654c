#include "platform/window_base.h"

namespace qm {

WindowBase::~WindowBase() {
    DestroyWindowObject();
}

bool WindowBase::CreateWindowObject(const char* class_name, DWORD ex_style, DWORD style,
                                    const char* caption, int x, int y, int width, int height,
                                    HWND parent, HICON icon, HBRUSH background) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(instance, class_name, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = StaticWndProc;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hIconSm = icon;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = background ? background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
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

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd_, message, wparam, lparam);
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
        LRESULT result = self->HandleMessage(message, wparam, lparam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnDestroyed();
        return result;
    }
    return self->HandleMessage(message, wparam, lparam);
}

} // namespace qm
