#pragma once
// What the selection capture learns of the program behind the foreground window.
#include <windows.h>

#include <string>

#include "platform/copy_key_plan.h"

namespace qm {

struct ProcessFacts {
    IntegrityProbe integrity;
    std::string exe_name; // the file name of its program; empty when unknown
};

// Asks with PROCESS_QUERY_LIMITED_INFORMATION, which any process of the same user
// grants whatever its integrity level.
ProcessFacts QueryProcessFacts(DWORD process_id);

IntegrityProbe OwnIntegrity();

// Sends the window a message of this program's own (SendMessageTimeout, SMTO_ABORTIFHUNG)
// and tells how that went: the system refuses it with ERROR_ACCESS_DENIED on its way to
// a higher integrity level, as it drops keys, but there it says so.
ReachProbe ProbeWindowReach(HWND window, UINT timeout_ms = 50);

// The full path of a process's exe, from a handle with PROCESS_QUERY_LIMITED_INFORMATION;
// empty when unknown.
std::wstring ProcessImagePath(HANDLE process);

} // namespace qm
