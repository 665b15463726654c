#pragma once
// Base of every window class: the object owns its HWND and receives its messages
// through one static window procedure, which cracks each message once into the typed
// handlers below (the scratch program's way).
//
// The most derived class destroys its window in its own destructor (DestroyWindowObject),
// while its handlers still exist: a base-class destructor would be too late, as the
// derived part would already be gone when WM_DESTROY arrives.
#include <windows.h>

namespace qm {

class WindowBase {
  public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hwnd() const { return hwnd_; }

  protected:
    WindowBase() = default;
    // Expects the window gone already; see above.
    virtual ~WindowBase();

    // Registers the class once per process (by name) and creates the window. The class
    // carries the icons, so the window needs no WM_SETICON, each of which Wine's X driver
    // converts again.
    bool CreateWindowObject(const char* class_name, DWORD ex_style, DWORD style,
                            const char* caption, int x, int y, int width, int height, HWND parent,
                            HICON icon = nullptr, HICON small_icon = nullptr);
    void DestroyWindowObject();

    // Typed handlers. Where the default handling matters, a handler says whether it took
    // the message (false, or a null brush, leaves it to DefWindowProc); the others answer
    // as DefWindowProc would, which does nothing with those messages but close a window.
    virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
    virtual void OnPaint(HDC /*dc*/) {}
    // type: CTLCOLOR_EDIT, CTLCOLOR_STATIC, ...
    virtual HBRUSH OnCtlColor(HDC /*dc*/, HWND /*control*/, int /*type*/) { return nullptr; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnSetCursor(HWND /*over*/) { return false; }
    virtual void OnSize(UINT /*state*/, int /*width*/, int /*height*/) {}
    virtual void OnSetFocus() {}
    // Any mouse button pressed over the client area, in client pixels.
    virtual void OnButtonDown(int /*x*/, int /*y*/) {}
    virtual void OnTimer(UINT_PTR /*id*/) {}
    virtual void OnClose();
    virtual void OnDestroy() {}
    virtual void OnEndSession(bool /*ending*/) {}
    // Every message no handler above takes (registered messages, a notification's own
    // message); the default is DefWindowProc.
    virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);

  private:
    LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    HWND hwnd_ = nullptr;
};

} // namespace qm
