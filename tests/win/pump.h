#pragma once
// Small helpers shared by the window tests.
#include "platform/dialog_keys.h"
#include "platform/unique_handle.h"

#include <windows.h>

#include <functional>
#include <string>

namespace qm::test {

// Dispatches this thread's messages for the given time.
inline void PumpFor(int milliseconds) {
    DWORD deadline = GetTickCount() + static_cast<DWORD>(milliseconds);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        LONG left = static_cast<LONG>(deadline - GetTickCount());
        if (left <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

// Pumps until done() holds or the time is up; returns done()'s last answer.
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    DWORD deadline = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!done()) {
        if (static_cast<LONG>(deadline - GetTickCount()) <= 0)
            return done();
        PumpFor(20);
    }
    return true;
}

// A moment to come, for a check that something happened before it (a wait that ended
// in time, a message handled while a wait ran). Set generously, so that a loaded
// machine never reaches it and only a fault does.
class Later {
  public:
    explicit Later(int milliseconds) : timer_(CreateWaitableTimerW(nullptr, TRUE, nullptr)) {
        LARGE_INTEGER due;
        due.QuadPart = -10000LL * milliseconds;
        SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE);
    }
    bool Passed() const { return WaitForSingleObject(timer_.get(), 0) == WAIT_OBJECT_0; }

  private:
    UniqueHandle timer_;
};

// A window with two buttons and dialog keys, the first one focused.
class DialogKeysWindow {
  public:
    DialogKeysWindow() {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"dialog keys",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100, nullptr,
                                      nullptr, instance, nullptr));
        for (int i = 0; i < 2; ++i)
            buttons_[i] = CreateWindowExW(
                0, L"BUTTON", L"button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                10 + 100 * i, 10, 80, 30, window_.get(), nullptr, instance, nullptr);
        AddDialogKeys(window_.get());
        SetFocus(buttons_[0]);
    }
    ~DialogKeysWindow() { RemoveDialogKeys(window_.get()); }
    // Queues a Tab press for the focused control, as the keyboard would.
    void PostTab() const { PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001); }
    HWND first() const { return buttons_[0]; }
    HWND second() const { return buttons_[1]; }

  private:
    UniqueHwnd window_;
    HWND buttons_[2] = {};
};

} // namespace qm::test
