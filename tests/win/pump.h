#pragma once
// Small helpers shared by the window tests.
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

} // namespace qm::test
