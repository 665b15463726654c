#pragma once
// The window that receives an injected keystroke, watched while it handles it.
#include <windows.h>

namespace qm {

// The window with the keyboard focus: it may sit in another thread that shares the
// foreground window's input. The foreground window itself when that thread names no
// focus; none without a foreground window.
HWND KeyboardFocusWindow();

class KeystrokeReceiver {
  public:
    // The window with the keyboard focus now; none without a foreground window.
    static KeystrokeReceiver Focused() { return KeystrokeReceiver(KeyboardFocusWindow()); }

    // It has stopped taking messages (the system's judgement, after seconds), or it is gone.
    bool Hung() const;

    // Whether it answers a message within a moment, that is, it is back in its message
    // loop rather than busy with one. Without a window nothing can be asked, and the
    // answer is yes.
    bool Answers() const;

  private:
    explicit KeystrokeReceiver(HWND window) : window_(window) {}
    HWND window_;
};

} // namespace qm
