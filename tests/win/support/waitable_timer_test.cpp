#include "support/waitable_timer.h"

#include "platform/program_path.h"
#include "platform/unique_handle.h"
#include "platform/window_base.h"
#include "pump.h"
#include "support/timer_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace qm {
namespace {

constexpr UINT kPing = WM_APP + 1;

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Waits share a timer name only within one second, so sharing cases start
// early in one. Gives the names of this second and the next ones.
std::vector<std::string> StartEarlyInASecond(const std::string& prefix, int seconds = 1) {
    SYSTEMTIME now;
    for (GetLocalTime(&now); now.wMilliseconds > 700; GetLocalTime(&now))
        Sleep(1000 - now.wMilliseconds);
    std::vector<std::string> names;
    for (int total = now.wMinute * 60 + now.wSecond; seconds-- > 0; ++total)
        names.push_back(WaitTimerName(prefix, (total / 60) % 60, total % 60));
    return names;
}

// A message-only window that hands kPing to the test.
class PingWindow final : public WindowBase {
  public:
    explicit PingWindow(std::function<void()> on_ping) : on_ping_(std::move(on_ping)) {
        CreateWindowObject("QmWaitTestWindow", 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE);
    }
    ~PingWindow() override { DestroyWindowObject(); }
    void Post() const { PostMessageA(hwnd(), kPing, 0, 0); }

  private:
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message != kPing)
            return WindowBase::OnMessage(message, wparam, lparam);
        on_ping_();
        return 0;
    }

    std::function<void()> on_ping_;
};

// Test processes may run side by side; each keeps to timer names of its own.
const std::string& OwnPrefix() {
    static const std::string prefix = "qmwait" + std::to_string(GetCurrentProcessId());
    return prefix;
}

double TimedWait(WaitableTimer& waiter, int32_t ms) {
    double start = NowMs();
    waiter.Wait(ms);
    return NowMs() - start;
}

TEST(WaitableTimer, LastsItsIntervalAfterOnePassAtLeast) {
    const struct {
        int32_t ms;
        double min_ms;
    } rows[] = {{INT32_MIN, 0}, {-200, 0}, {0, 0}, {1, 1}, {200, 200}};
    WaitableTimer waiter(OwnPrefix());
    int pings = 0;
    PingWindow window([&] { ++pings; });
    for (const auto& row : rows) {
        pings = 0;
        window.Post();
        test::Later long_after(static_cast<int>(row.min_ms) + 1000);
        double elapsed = TimedWait(waiter, row.ms);
        EXPECT_GE(elapsed, row.min_ms) << row.ms;
        EXPECT_FALSE(long_after.Passed()) << row.ms << ": ended long after its time";
        EXPECT_EQ(pings, 1) << row.ms;
    }
    EXPECT_EQ(waiter.TimerHandle(), nullptr);
}

// A message from another thread is handled when it comes; its handler's
// WM_QUIT, met by a nested wait and by the outer one, still reaches the loop.
TEST(WaitableTimer, MessagesFlowAndQuitIsKept) {
    WaitableTimer waiter(OwnPrefix());
    int handled = 0;
    bool handled_early = false;
    // Well before the end of the wait below, which a message held back to the end would reach.
    test::Later near_the_end(800);
    PingWindow window([&] {
        ++handled;
        handled_early = !near_the_end.Passed();
        PostQuitMessage(7);
        waiter.Wait(50);
    });
    std::thread poster([target = window.hwnd()] {
        Sleep(50);
        PostMessageA(target, kPing, 0, 0);
    });
    double elapsed = TimedWait(waiter, 1000);
    poster.join();
    EXPECT_GE(elapsed, 1000);
    ASSERT_EQ(handled, 1);
    EXPECT_TRUE(handled_early) << "handled at the end, not when it came";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "posted twice";
}

TEST(WaitableTimer, TabMovesTheFocusWhileWaiting) {
    test::DialogKeysWindow window;
    ASSERT_EQ(GetFocus(), window.first());
    window.PostTab();
    WaitableTimer waiter(OwnPrefix());
    waiter.Wait(50);
    EXPECT_EQ(GetFocus(), window.second());
}

TEST(WaitableTimer, NestedWaitsEachKeepTheirOwnDueTime) {
    const struct { int32_t outer_ms, inner_ms; } rows[] = {{400, 100}, {100, 300}, {250, 250}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.outer_ms << " around " << row.inner_ms);
        WaitableTimer waiter(OwnPrefix());
        double inner_elapsed = -1;
        HANDLE outer_handle = nullptr;
        PingWindow window([&] {
            outer_handle = waiter.TimerHandle();
            inner_elapsed = TimedWait(waiter, row.inner_ms);
            EXPECT_EQ(waiter.TimerHandle(), outer_handle);
        });
        StartEarlyInASecond(OwnPrefix());
        window.Post();
        test::Later long_after(std::max(row.outer_ms, row.inner_ms) + 1000);
        double outer_elapsed = TimedWait(waiter, row.outer_ms);
        EXPECT_GE(inner_elapsed, row.inner_ms);
        EXPECT_GE(outer_elapsed, row.outer_ms);
        EXPECT_FALSE(long_after.Passed()) << "the outer wait ended long after both";
        EXPECT_NE(outer_handle, nullptr);
    }
}

// Another copy of the program waiting in the same second opens the same timer
// and arms it for its own due time, earlier or later than ours.
TEST(WaitableTimer, TimerReArmedByAnotherWaiterKeepsOurDueTime) {
    // The real exe-based name, as another copy of the program would use it.
    for (int64_t foreign_ms : {10, 5000}) {
        WaitableTimer waiter;
        std::string name = StartEarlyInASecond(WideToAnsi(ExeBaseName()))[0];
        PingWindow window([&] {
            UniqueHandle shared(CreateWaitableTimerA(nullptr, TRUE, name.c_str()));
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
            LARGE_INTEGER due;
            due.QuadPart = -foreign_ms * 10000;
            SetWaitableTimer(shared.get(), &due, 0, nullptr, nullptr, FALSE);
        });
        window.Post();
        test::Later long_after(1300);
        double elapsed = TimedWait(waiter, 300);
        EXPECT_GE(elapsed, 300) << foreign_ms;
        EXPECT_FALSE(long_after.Passed()) << foreign_ms;
    }
}

TEST(WaitableTimer, TimerThatCannotBeCreatedNeitherSpinsNorEndsEarly) {
    // Objects of another kind holding the names make the timer's creation fail.
    std::vector<std::string> names = StartEarlyInASecond(OwnPrefix(), 3);
    std::vector<UniqueHandle> squatters;
    for (const std::string& name : names)
        squatters.emplace_back(CreateEventA(nullptr, TRUE, FALSE, name.c_str()));
    ASSERT_EQ(CreateWaitableTimerA(nullptr, TRUE, names[0].c_str()), nullptr);

    auto busy_ms = [] {
        FILETIME created, exited, kernel, user;
        GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
        ULARGE_INTEGER k{{kernel.dwLowDateTime, kernel.dwHighDateTime}};
        ULARGE_INTEGER u{{user.dwLowDateTime, user.dwHighDateTime}};
        return (k.QuadPart + u.QuadPart) / 10000;
    };
    WaitableTimer waiter(OwnPrefix());
    uint64_t busy_before = busy_ms();
    test::Later long_after(1300);
    double elapsed = TimedWait(waiter, 300);
    EXPECT_GE(elapsed, 300);
    EXPECT_FALSE(long_after.Passed());
    EXPECT_LT(busy_ms() - busy_before, 100);
}

TEST(WaitableTimer, NoHandleOrTimerLeftBehind) {
    WaitableTimer waiter(OwnPrefix());
    PingWindow window([&] { waiter.Wait(2); });
    waiter.Wait(1); // the platform's first-use allocations are not ours
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 50; ++i) {
        if (i % 10 == 0)
            window.Post(); // a nested wait now and then
        waiter.Wait(1);
    }
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(after, before);

    std::string name = StartEarlyInASecond(OwnPrefix())[0];
    waiter.Wait(5);
    UniqueHandle reopened(OpenWaitableTimerA(SYNCHRONIZE, FALSE, name.c_str()));
    EXPECT_FALSE(reopened) << name << " is still open";
}

} // namespace
} // namespace qm
