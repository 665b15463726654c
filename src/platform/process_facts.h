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

// The full path of a process's exe, from a handle with PROCESS_QUERY_LIMITED_INFORMATION;
// empty when unknown.
std::wstring ProcessImagePath(HANDLE process);

} // namespace qm
