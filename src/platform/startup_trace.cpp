#include "platform/startup_trace.h"

#include <windows.h>

namespace qm {

namespace {
enum class TraceState { Unknown, Off, On };
TraceState g_state = TraceState::Unknown;
LONGLONG g_first_count = 0;
double g_counts_per_ms = 1;
double g_first_ms = 0; // from the creation to the first mark

LONGLONG Counter() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

LONGLONG FileTimeValue(const FILETIME& time) {
    return static_cast<LONGLONG>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 |
                                 time.dwLowDateTime);
}

// The clock of the creation time ticks coarsely on Windows: it is read once, and the
// performance counter measures from there.
void Begin() {
    g_state =
        GetEnvironmentVariableW(L"QM_STARTUP_TRACE", nullptr, 0) ? TraceState::On : TraceState::Off;
    if (g_state == TraceState::Off)
        return;
    FILETIME created{}, unused{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_counts_per_ms = static_cast<double>(frequency.QuadPart) / 1000;
    g_first_count = Counter();
    // In doubles: 64-bit division would bring a helper of its own into the 32-bit exe.
    g_first_ms = static_cast<double>(FileTimeValue(now) - FileTimeValue(created)) / 10000;
}
} // namespace

void TraceMark(const char* phase) {
    if (g_state == TraceState::Unknown)
        Begin();
    if (g_state == TraceState::Off)
        return;
    double ms = g_first_ms + static_cast<double>(Counter() - g_first_count) / g_counts_per_ms;
    const int tenths = ms > 0 ? static_cast<int>(ms * 10) : 0;
    // user32's formatting, not printf's, which would be the largest thing in the exe.
    char line[128];
    int length = wsprintfA(line, "trace %d.%d %.96s\n", tenths / 10, tenths % 10, phase);
    DWORD written = 0;
    // Without a standard output (a start from Explorer) the line goes nowhere.
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
}

} // namespace qm
