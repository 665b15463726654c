#pragma once
// Base of every window class: the object owns its HWND and receives its messages
// through one static window procedure.
#include <windows.h>

namespace qm {

class WindowBase {
  public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hwnd() const { return hwnd_; }

  protected:
    // Registers the class once per process (by name) and creates the window.
    bool CreateWindowObject(const char* class_name, DWORD ex_style, DWORD style,
                            const char* caption, int x, int y, int width, int height, HWND parent,
                            HICON icon = nullptr, HBRUSH background = nullptr);
    void DestroyWindowObject();

    // Everything not handled goes to DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    // Called from WM_NCDESTROY, after the handle is detached from the object.
    virtual void OnDestroyed() {}

  private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    HWND hwnd_ = nullptr;
};

} // namespace qm
