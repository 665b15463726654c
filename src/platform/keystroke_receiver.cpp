#include "platform/keystroke_receiver.h"

namespace qm {

namespace {
// Long enough for a program that waits in its message loop, even on a loaded machine;
// short, as the user-interface thread waits here.
constexpr UINT kAnswerTimeoutMs = 20;
} // namespace

HWND KeyboardFocusWindow() {
    HWND foreground = GetForegroundWindow();
    if (!foreground)
        return nullptr;
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) && info.hwndFocus)
        return info.hwndFocus;
    return foreground;
}

bool KeystrokeReceiver::Hung() const {
    return window_ && (!IsWindow(window_) || IsHungAppWindow(window_));
}

bool KeystrokeReceiver::Answers() const {
    if (!window_)
        return true;
    DWORD_PTR result = 0;
    // Messages sent to this thread meanwhile are still handled; a hung receiver
    // fails at once.
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                               kAnswerTimeoutMs, &result) != 0;
}

} // namespace qm
