#pragma once
// A small application window for the tests: a menu bar and an edit control with
// text, focused, so that copy keystrokes and menu activation can be observed.
#include <windows.h>

#include <string>

#include "platform/unique_handle.h"
#include "pump.h"

namespace qm::test {

class EditorWindow {
  public:
    explicit EditorWindow(const wchar_t* text) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QmTestEditor";
        RegisterClassW(&wc); // fails harmlessly when already registered
        HMENU bar = CreateMenu();
        AppendMenuW(bar, MF_STRING, 1, L"File");
        frame_.reset(CreateWindowExW(
            0, L"QmTestEditor", L"qm test editor",
            // A popup: Wine without a window manager is slow to take a framed window down.
            WS_POPUP | WS_BORDER | WS_VISIBLE, 50, 50, 300, 150, nullptr, bar, wc.hInstance, this));
        edit_ = CreateWindowExW(0, L"EDIT", text, WS_CHILD | WS_VISIBLE, 5, 5, 200, 24,
                                frame_.get(), nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(frame_.get());
        SetFocus(edit_);
        SelectAll();
        PumpFor(100);
    }

    void SelectAll() { SendMessageW(edit_, EM_SETSEL, 0, -1); }
    void SelectNothing() { SendMessageW(edit_, EM_SETSEL, 0, 0); }
    bool MenuWasOpened() const { return menu_opened_; }
    // Focus and selection back to the start, the menu not seen.
    void Reset() {
        SetForegroundWindow(frame_.get());
        SetFocus(edit_);
        SelectAll();
        menu_opened_ = false;
    }
    HWND frame() const { return frame_.get(); }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
        auto* self = reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && (message == WM_ENTERMENULOOP ||
                     (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_KEYMENU))) {
            self->menu_opened_ = true;
            return 0; // a real menu loop would block the test
        }
        if (message == WM_NCDESTROY)
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }

    UniqueHwnd frame_; // the edit control goes with it
    HWND edit_ = nullptr;
    bool menu_opened_ = false;
};

} // namespace qm::test
