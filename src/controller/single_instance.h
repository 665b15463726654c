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

} // namespace qm
