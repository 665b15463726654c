#pragma once
// Naming and arming arithmetic of the message-pumping wait's timer.
#include <cstdint>
#include <string>

namespace qm {

// exe name without extension + "Timer" + minutes and seconds as "NNSS".
std::string WaitTimerName(const std::string& exe_base_name, int minutes, int seconds);

// The relative due time in 100 ns units: the negative of milliseconds x 10,000.
int64_t RelativeDueTime(int32_t milliseconds);

} // namespace qm
