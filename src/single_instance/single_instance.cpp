#include "single_instance/single_instance.h"

#include "auto_start/auto_start_command.h"
#include "platform/process_facts.h"
#include "platform/program_path.h"

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

bool CloseRunningCopy(const char* window_class, DWORD wait_ms) {
    HWND running = FindWindowA(window_class, nullptr);
    if (!running)
        return true;
    DWORD pid = 0;
    GetWindowThreadProcessId(running, &pid);
    UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process || !SameProgramPath(ProcessImagePath(process.get()), ProgramPath()))
        return false;
    // Refused when that copy runs elevated and this one does not.
    if (!PostMessageA(running, WM_CLOSE, 0, 0))
        return false;
    return WaitForSingleObject(process.get(), wait_ms) == WAIT_OBJECT_0;
}

} // namespace qm
