#include "platform/restart_registration.h"

#include <windows.h>

#include "platform/system_library.h"

namespace qm {

bool RegisterRestartAfterUpdate(const wchar_t* arguments) {
    // Looked up, so that a system without it still starts the program.
    decltype(&RegisterApplicationRestart) register_restart = nullptr;
    return FindFunction(GetModuleHandleW(L"kernel32.dll"), "RegisterApplicationRestart",
                        register_restart) &&
           SUCCEEDED(register_restart(arguments, RESTART_NO_CRASH | RESTART_NO_HANG));
}

} // namespace qm
