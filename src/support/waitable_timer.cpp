#include "support/waitable_timer.h"

#include "platform/message_pump.h"
#include "platform/unique_handle.h"
#include "support/timer_name.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace qm {

namespace {
// Key, mouse move, mouse button, posted message, timer, paint, sent message
// and hotkey: everything that needs an answer from this thread.
constexpr DWORD kWakeMask = 0xFF;
// How long past its own due time a wait stays for an armed timer: another wait
// sharing the timer's name (same minute and second, possibly in another copy
// of the program) may have re-armed it for later.
constexpr DWORD kLateWakeSlackMs = 16;
// How often a wait with a condition looks at it: what it waits for (a key let go,
// another program's copy) wakes nothing on this thread.
constexpr DWORD kConditionPollMs = 5;
constexpr int64_t kTicksPerSecond = 10000000; // 100 ns units
constexpr int64_t kTicksPerMs = 10000;

// Monotonic, unlike the wall clock, and finer than the tick count.
int64_t NowTicks() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    const int64_t f = frequency.QuadPart;
    const int64_t c = counter.QuadPart;
    return c / f * kTicksPerSecond + c % f * kTicksPerSecond / f;
}

DWORD TimeoutMs(int64_t remaining_ticks, DWORD slack_ms) {
    if (remaining_ticks <= 0)
        return slack_ms;
    // Rounded up, so a time-out never ends the wait before the due time.
    return static_cast<DWORD>((remaining_ticks + kTicksPerMs - 1) / kTicksPerMs) + slack_ms;
}

std::string CurrentTimerName(const std::string& exe_base_name) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return WaitTimerName(exe_base_name, now.wMinute, now.wSecond);
}

bool Arm(HANDLE timer, int64_t due_time) {
    LARGE_INTEGER due;
    due.QuadPart = due_time;
    return SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) != FALSE;
}
} // namespace

WaitableTimer::WaitableTimer(std::string exe_base_name)
    : exe_base_name_(std::move(exe_base_name)) {}

// Every wait closes its own timer before it returns, so nothing is left here.
WaitableTimer::~WaitableTimer() = default;

void WaitableTimer::Wait(int32_t milliseconds, const std::function<bool()>& done) {
    if (milliseconds <= 0) {
        if (std::optional<int> quit_code = DispatchPending())
            PostQuitMessage(*quit_code);
        return;
    }

    std::optional<int> quit_code;
    const int64_t deadline = NowTicks() - RelativeDueTime(milliseconds);
    // The handle is this call's own: a nested wait on the same object must
    // neither close nor replace it.
    UniqueHandle timer(
        CreateWaitableTimerA(nullptr, TRUE, CurrentTimerName(exe_base_name_).c_str()));
    // Without a timer the queue is waited on with a time-out instead.
    bool armed = timer && Arm(timer.get(), RelativeDueTime(milliseconds));
    HANDLE outer = std::exchange(timer_, timer.get());

    for (;;) {
        HANDLE handle = timer.get();
        DWORD timeout = TimeoutMs(deadline - NowTicks(), armed ? kLateWakeSlackMs : 0);
        if (done)
            timeout = std::min(timeout, kConditionPollMs);
        DWORD result = MsgWaitForMultipleObjects(armed ? 1 : 0, &handle, FALSE, timeout, kWakeMask);
        if (std::optional<int> quit = DispatchPending())
            quit_code = quit;
        const int64_t remaining = deadline - NowTicks();
        if (remaining <= 0 || (done && done()))
            break;
        if (result == WAIT_FAILED) {
            armed = false;
        } else if (armed && result == WAIT_OBJECT_0) {
            // Signalled before our due time: someone re-armed the shared timer
            // for earlier. It is manual-reset, so it must be re-armed or it
            // would wake us at once, again and again.
            armed = Arm(timer.get(), -remaining);
        }
    }

    timer_ = outer;
    if (quit_code)
        PostQuitMessage(*quit_code);
}

} // namespace qm
