#pragma once
// One copy at a time: a second start hands over to the running copy and ends
// without touching set.ini (its hotkeys would clash and it would save "NULL").
#include <windows.h>

#include "platform/unique_handle.h"

namespace qm {

class SingleInstance {
  public:
    // True when no other copy runs; this object then holds the marker until it is destroyed.
    bool Acquire();

  private:
    UniqueHandle mutex_;
};

// The message the running copy's settings window answers by showing itself.
UINT ShowSettingsMessage();
// Asks the running copy (found by its settings window's class) to come to the front.
void ActivateRunningCopy(const char* window_class);

// How long the uninstaller and an upgrade wait for the running copy to end.
inline constexpr DWORD kRunningCopyExitWaitMs = 5000;

// Asks a running copy of this same exe to save its settings and end, as its close box
// does, and waits up to wait_ms for its end: its files can then be removed or replaced
// without a reboot. A copy run from elsewhere (the portable zip's) is left alone.
// True when no such copy runs any more.
bool CloseRunningCopy(const char* window_class, DWORD wait_ms = kRunningCopyExitWaitMs);

} // namespace qm
