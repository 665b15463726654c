#include "support/timer_name.h"

#include <cstdio>

namespace qm {

std::string WaitTimerName(const std::string& exe_base_name, int minutes, int seconds) {
    char digits[16];
    std::snprintf(digits, sizeof(digits), "%02d%02d", minutes % 100, seconds % 100);
    return exe_base_name + "Timer" + digits;
}

int64_t RelativeDueTime(int32_t milliseconds) {
    return -(static_cast<int64_t>(milliseconds) * 10000);
}

} // namespace qm
