#include "support/timer_name.h"

namespace qm {

std::string WaitTimerName(const std::string& exe_base_name, int minutes, int seconds) {
    // By hand: printf's formatting code would be the largest thing in the shipped exe.
    const unsigned parts[] = {static_cast<unsigned>(minutes) % 100,
                              static_cast<unsigned>(seconds) % 100};
    std::string name = exe_base_name + "Timer";
    for (unsigned part : parts) {
        name += static_cast<char>('0' + part / 10);
        name += static_cast<char>('0' + part % 10);
    }
    return name;
}

int64_t RelativeDueTime(int32_t milliseconds) {
    return -(static_cast<int64_t>(milliseconds) * 10000);
}

} // namespace qm
