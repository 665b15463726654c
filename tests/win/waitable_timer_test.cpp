#include "support/waitable_timer.h"

#include "platform/program_path.h"
#include "platform/unique_handle.h"
#include "platform/window_base.h"
#include "support/timer_name.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace qm {
namespace {

constexpr UINT kPing = WM_APP + 1;

double NowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Waits that start close together share one timer name only within the same
// second, so the sharing cases start well before a second ends.
void StartEarlyInASecond() {
    SYSTEMTIME now;
    for (GetLocalTime(&now); now.wMilliseconds > 700; GetLocalTime(&now))
        Sleep(1000 - now.wMilliseconds);
}

std::string TimerNameNow(int seconds_ahead = 0) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    int total = now.wMinute * 60 + now.wSecond + seconds_ahead;
    return WaitTimerName(ExeBaseName(), (total / 60) % 60, total % 60);
}

// A message-only window that hands kPing to the test's handler.
class PingWindow : public WindowBase {
  public:
    explicit PingWindow(std::function<void()> on_ping) : on_ping_(std::move(on_ping)) {
        CreateWindowObject("QmWaitTestWindow", 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE);
    }
    void Post() const { PostMessageA(hwnd(), kPing, 0, 0); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == kPing) {
            on_ping_();
            return 0;
        }
        return WindowBase::HandleMessage(message, wparam, lparam);
    }

  private:
    std::function<void()> on_ping_;
};

double TimedWait(clsWaitableTimer& waiter, int32_t ms) {
    double start = NowMs();
    waiter.Wait(ms);
    return NowMs() - start;
}

bool TakeQuit(int& code) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    code = static_cast<int>(msg.wParam);
    return true;
}

TEST(WaitableTimer, LastsItsIntervalAndNotMuchMore) {
    clsWaitableTimer waiter;
    for (int32_t ms : {1, 50, 200}) {
        double elapsed = TimedWait(waiter, ms);
        EXPECT_GE(elapsed, ms) << ms;
        EXPECT_LT(elapsed, ms + 400) << ms;
    }
    EXPECT_EQ(waiter.TimerHandle(), nullptr);
}

TEST(WaitableTimer, ZeroAndNegativeReturnAtOnceAfterOnePass) {
    clsWaitableTimer waiter;
    int pings = 0;
    PingWindow window([&] { ++pings; });
    const int32_t intervals[] = {0, -1, -200, INT32_MIN};
    for (int32_t ms : intervals) {
        pings = 0;
        window.Post();
        EXPECT_LT(TimedWait(waiter, ms), 50) << ms;
        EXPECT_EQ(pings, 1) << ms;
    }
}

TEST(WaitableTimer, MessagesAreHandledWhileWaiting) {
    clsWaitableTimer waiter;
    double start = NowMs();
    double handled_at = 0;
    int pings = 0;
    PingWindow window([&] {
        ++pings;
        handled_at = NowMs() - start;
    });
    HWND target = window.hwnd();
    std::thread poster([target] {
        Sleep(50);
        PostMessageA(target, kPing, 0, 0);
    });
    waiter.Wait(300);
    double elapsed = NowMs() - start;
    poster.join();
    EXPECT_EQ(pings, 1);
    EXPECT_GE(elapsed, 300);
    // Handled when it came, not at the end of the wait.
    EXPECT_LT(handled_at, 200);
}

TEST(WaitableTimer, NestedWaitsEachKeepTheirOwnDueTime) {
    struct Row {
        int32_t outer_ms;
        int32_t inner_ms;
    };
    const Row rows[] = {{400, 100}, {100, 300}, {250, 250}};
    for (const Row& row : rows) {
        clsWaitableTimer waiter;
        double inner_elapsed = -1;
        HANDLE inner_handle = nullptr;
        HANDLE outer_handle = nullptr;
        PingWindow window([&] {
            outer_handle = waiter.TimerHandle();
            inner_elapsed = TimedWait(waiter, row.inner_ms);
            inner_handle = waiter.TimerHandle();
        });
        StartEarlyInASecond();
        window.Post();
        double outer_elapsed = TimedWait(waiter, row.outer_ms);
        SCOPED_TRACE(testing::Message() << row.outer_ms << " around " << row.inner_ms);
        EXPECT_GE(inner_elapsed, row.inner_ms);
        EXPECT_GE(outer_elapsed, row.outer_ms);
        EXPECT_GE(outer_elapsed, inner_elapsed);
        EXPECT_LT(outer_elapsed, (row.outer_ms > row.inner_ms ? row.outer_ms : row.inner_ms) + 400);
        EXPECT_NE(outer_handle, nullptr);
        EXPECT_EQ(inner_handle, outer_handle); // the outer wait's own again
        EXPECT_EQ(waiter.TimerHandle(), nullptr);
    }
}

// Another copy of the program waiting in the same second opens the same timer
// and arms it for its own due time, earlier or later than ours.
TEST(WaitableTimer, TimerReArmedByAnotherWaiterKeepsOurDueTime) {
    const int32_t foreign_due_ms[] = {10, 5000};
    for (int32_t foreign_ms : foreign_due_ms) {
        clsWaitableTimer waiter;
        bool armed = false;
        PingWindow window([&] {
            UniqueHandle shared(CreateWaitableTimerA(nullptr, TRUE, TimerNameNow().c_str()));
            armed = GetLastError() == ERROR_ALREADY_EXISTS;
            LARGE_INTEGER due;
            due.QuadPart = -static_cast<int64_t>(foreign_ms) * 10000;
            SetWaitableTimer(shared.get(), &due, 0, nullptr, nullptr, FALSE);
        });
        StartEarlyInASecond();
        window.Post();
        double elapsed = TimedWait(waiter, 300);
        EXPECT_TRUE(armed) << foreign_ms;
        EXPECT_GE(elapsed, 300) << foreign_ms;
        EXPECT_LT(elapsed, 700) << foreign_ms;
    }
}

TEST(WaitableTimer, TimerThatCannotBeCreatedNeitherSpinsNorEndsEarly) {
    StartEarlyInASecond();
    // Objects of another kind holding the names make the timer's creation fail.
    std::vector<UniqueHandle> squatters;
    for (int ahead = 0; ahead < 3; ++ahead)
        squatters.emplace_back(CreateEventA(nullptr, TRUE, FALSE, TimerNameNow(ahead).c_str()));
    ASSERT_EQ(CreateWaitableTimerA(nullptr, TRUE, TimerNameNow().c_str()), nullptr);

    clsWaitableTimer waiter;
    FILETIME created, exited, kernel_before, user_before, kernel_after, user_after;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel_before, &user_before);
    double elapsed = TimedWait(waiter, 300);
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel_after, &user_after);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    int64_t busy_ms =
        (ticks(kernel_after) - ticks(kernel_before) + ticks(user_after) - ticks(user_before)) /
        10000;
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 700);
    EXPECT_LT(busy_ms, 100);
}

TEST(WaitableTimer, QuitDuringAWaitReachesTheMessageLoop) {
    struct Row {
        const char* name;
        bool nested;
    };
    const Row rows[] = {{"plain", false}, {"nested", true}};
    for (const Row& row : rows) {
        clsWaitableTimer waiter;
        PingWindow window([&] {
            if (row.nested) {
                PostQuitMessage(7);
                waiter.Wait(50);
            } else {
                PostQuitMessage(7);
            }
        });
        window.Post();
        double elapsed = TimedWait(waiter, 150);
        int code = 0;
        EXPECT_TRUE(TakeQuit(code)) << row.name;
        EXPECT_EQ(code, 7) << row.name;
        EXPECT_FALSE(TakeQuit(code)) << row.name << ": posted once only";
        EXPECT_GE(elapsed, 150) << row.name;
    }
}

TEST(WaitableTimer, NoHandleOrTimerLeftBehind) {
    clsWaitableTimer waiter;
    PingWindow window([&] { waiter.Wait(2); });
    waiter.Wait(1); // first-use allocations of the platform are not ours
    DWORD before = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 50; ++i) {
        if (i % 10 == 0)
            window.Post();
        waiter.Wait(1);
    }
    DWORD after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(after, before);

    StartEarlyInASecond();
    std::string name = TimerNameNow();
    waiter.Wait(5);
    UniqueHandle reopened(OpenWaitableTimerA(SYNCHRONIZE, FALSE, name.c_str()));
    EXPECT_FALSE(reopened) << name << " is still open somewhere";
}

} // namespace
} // namespace qm
