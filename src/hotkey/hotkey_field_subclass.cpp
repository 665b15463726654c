#include "hotkey/hotkey_field_subclass.h"

#include "platform/copy_keystroke.h"
#include "platform/keyboard.h"

#include <commctrl.h>
#include <windowsx.h>

namespace qm {

const char* const kObjectProperty = "Object";

namespace {
HotKeyWindowEvents* ControlOf(HWND window) {
    return static_cast<HotKeyWindowEvents*>(GetPropA(window, kObjectProperty));
}

int MouseShiftMask(WPARAM wparam) {
    int mask = 0;
    if (wparam & MK_SHIFT)
        mask |= 1;
    if (wparam & MK_CONTROL)
        mask |= 2;
    if (GetKeyState(VK_MENU) < 0)
        mask |= 4;
    return mask;
}

int HeldButtons(WPARAM wparam) {
    return ((wparam & MK_LBUTTON) ? 1 : 0) | ((wparam & MK_RBUTTON) ? 2 : 0) |
           ((wparam & MK_MBUTTON) ? 4 : 0);
}

void ReportMouse(HotKeyWindowEvents* control, TextBoxMouse action, int button, WPARAM wparam,
                 LPARAM lparam) {
    control->OnTextBoxMouse(action, button, MouseShiftMask(wparam), GET_X_LPARAM(lparam),
                            GET_Y_LPARAM(lparam));
}
} // namespace

LRESULT CALLBACK HotKeyWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                  DWORD_PTR) {
    switch (message) {
    case WM_HOTKEY:
        // The window alone names the control: each control registers on its own window.
        if (HotKeyWindowEvents* control = ControlOf(window))
            control->OnHotKeyMessage();
        return 0;
    case WM_TIMER:
        if (HotKeyWindowEvents* control = ControlOf(window))
            control->OnHotKeyTimer();
        return 0;
    case WM_NCDESTROY: {
        HotKeyWindowEvents* control = ControlOf(window);
        UnhookHotKeyWindow(window);
        if (control)
            control->OnWindowDestroyed(window);
        break;
    }
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK TextBoxWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR, DWORD_PTR ref_data) {
    auto* control = reinterpret_cast<HotKeyWindowEvents*>(ref_data);
    switch (message) {
    // Keys belong to the capture alone: the edit never deletes, pastes or selects on its
    // own, and Alt combinations neither beep nor open a menu.
    // The program's own copy keystroke never becomes a combination.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!IsInjectedKeyMessage())
            control->OnTextBoxKeyDown(static_cast<int>(wparam), KeyboardShiftMask());
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!IsInjectedKeyMessage())
            control->OnTextBoxKeyUp(static_cast<int>(wparam), KeyboardShiftMask());
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        control->OnTextBoxFocus(message == WM_SETFOCUS);
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    // An input method would otherwise put its composed text straight into the edit.
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_CONTEXTMENU:
        return 0;
    case WM_GETDLGCODE: {
        LRESULT code = DefSubclassProc(window, message, wparam, lparam);
        // Tab still moves on, so a keyboard user can leave the field.
        auto* msg = reinterpret_cast<const MSG*>(lparam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB)
            return code;
        return code | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    }
    case WM_LBUTTONDOWN:
        ReportMouse(control, TextBoxMouse::Down, 1, wparam, lparam);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        ReportMouse(control, TextBoxMouse::Down, 2, wparam, lparam);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        ReportMouse(control, TextBoxMouse::Down, 4, wparam, lparam);
        break;
    case WM_LBUTTONDBLCLK:
        ReportMouse(control, TextBoxMouse::DoubleClick, 1, wparam, lparam);
        break;
    case WM_LBUTTONUP:
        ReportMouse(control, TextBoxMouse::Up, 1, wparam, lparam);
        break;
    case WM_RBUTTONUP:
        ReportMouse(control, TextBoxMouse::Up, 2, wparam, lparam);
        break;
    case WM_MBUTTONUP:
        ReportMouse(control, TextBoxMouse::Up, 4, wparam, lparam);
        break;
    case WM_MOUSEMOVE:
        ReportMouse(control, TextBoxMouse::Move, HeldButtons(wparam), wparam, lparam);
        break;
    case WM_NCDESTROY:
        UnhookTextBox(window);
        control->OnWindowDestroyed(window);
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

void HookHotKeyWindow(HWND window, HotKeyWindowEvents* control) {
    SetPropA(window, kObjectProperty, control);
    SetWindowSubclass(window, HotKeyWindowProc, kSubclassId, 0);
}

void UnhookHotKeyWindow(HWND window) {
    RemoveWindowSubclass(window, HotKeyWindowProc, kSubclassId);
    RemovePropA(window, kObjectProperty);
}

void HookTextBox(HWND text_box, HotKeyWindowEvents* control) {
    SetWindowSubclass(text_box, TextBoxWindowProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(control));
}

void UnhookTextBox(HWND text_box) {
    RemoveWindowSubclass(text_box, TextBoxWindowProc, kSubclassId);
}

} // namespace qm
