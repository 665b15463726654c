#pragma once
// The window-procedure replacements of a hotkey control's hidden
// message window and of its text box.
#include <windows.h>

namespace qm {

enum class TextBoxMouse { Down, Move, Up, DoubleClick };

// What the replaced procedures hand on to the control that owns the two windows.
class HotKeyWindowEvents {
  public:
    virtual void OnHotKeyMessage() = 0;
    virtual void OnHotKeyTimer() = 0; // a timer of the message window
    virtual void OnTextBoxKeyDown(int key_code, int shift_mask) = 0;
    virtual void OnTextBoxKeyUp(int key_code, int shift_mask) = 0;
    // button: 1 left, 2 right, 4 middle (for Move: the buttons held); x, y in client pixels.
    virtual void OnTextBoxMouse(TextBoxMouse action, int button, int shift_mask, int x, int y) = 0;
    virtual void OnTextBoxFocus(bool gained) = 0;
    // A hooked window is being destroyed by someone else (the text box with its parent);
    // its hook is already gone.
    virtual void OnWindowDestroyed(HWND window) = 0;

  protected:
    ~HotKeyWindowEvents() = default;
};

// The property of the message window that leads to its control.
extern const char* const kObjectProperty; // "Object"

// The message window raises the control's hotkey and hands every other message to
// the default handling (so it never refuses a log-off or shut-down).
void HookHotKeyWindow(HWND window, HotKeyWindowEvents* control);
void UnhookHotKeyWindow(HWND window);
// The text box: keys and typed characters go to the control only, no context menu.
void HookTextBox(HWND text_box, HotKeyWindowEvents* control);
void UnhookTextBox(HWND text_box);

// The replacement procedures themselves, installed with SetWindowSubclass under id 1.
inline constexpr UINT_PTR kSubclassId = 1;
LRESULT CALLBACK HotKeyWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR id, DWORD_PTR ref_data);
LRESULT CALLBACK TextBoxWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR ref_data);

} // namespace qm
