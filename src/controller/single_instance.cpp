#include "controller/single_instance.h"

#include <utility>

namespace qm {

bool SingleInstance::Acquire() {
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, L"Local\\QuenmarkSearch.SingleInstance"));
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS)
        return false;
    // Without a mutex we cannot tell; starting is better than refusing to run.
    mutex_ = std::move(mutex);
    return true;
}

UINT ShowSettingsMessage() {
    static const UINT message = RegisterWindowMessageA("QuenmarkSearch.ShowSettings");
    return message;
}

void ActivateRunningCopy(const char* window_class) {
    // The first copy may still be starting: give its window a moment to appear.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (HWND running = FindWindowA(window_class, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(running, &pid);
            AllowSetForegroundWindow(pid);
            PostMessageA(running, ShowSettingsMessage(), 0, 0);
            return;
        }
        Sleep(100);
    }
}

} // namespace qm
