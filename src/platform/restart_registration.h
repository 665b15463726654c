#pragma once
// Being started again by an installer that closed the program to replace its exe.

namespace qm {

// Asks Windows to start the program again, with `arguments`, after the Restart Manager
// closed it for an update (an installer replacing the exe); never after a crash or a
// hang. False where this Windows cannot.
bool RegisterRestartAfterUpdate(const wchar_t* arguments);

} // namespace qm
