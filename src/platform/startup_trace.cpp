#include "platform/startup_trace.h"

#include <windows.h>

namespace qm {

namespace {
enum class TraceState { Unknown, Off, On };
TraceState g_state = TraceState::Unknown;
LARGE_INTEGER g_frequency, g_first_count;
LONGLONG g_first_ms_x10 = 0; // tenths of a millisecond from creation to the first mark

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
    QueryPerformanceFrequency(&g_frequency);
    QueryPerformanceCounter(&g_first_count);
    ULARGE_INTEGER from{{created.dwLowDateTime, created.dwHighDateTime}};
    ULARGE_INTEGER to{{now.dwLowDateTime, now.dwHighDateTime}};
    g_first_ms_x10 = static_cast<LONGLONG>(to.QuadPart - from.QuadPart) / 1000;
}
} // namespace

void TraceMark(const char* phase) {
    if (g_state == TraceState::Unknown)
        Begin();
    if (g_state == TraceState::Off)
        return;
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    LONGLONG ms_x10 =
        g_first_ms_x10 + (count.QuadPart - g_first_count.QuadPart) * 10000 / g_frequency.QuadPart;
    // By hand: printf's formatting code would be the largest thing in the shipped exe.
    char line[96] = "trace ";
    char digits[24];
    int n = 0;
    for (LONGLONG left = ms_x10 < 0 ? 0 : ms_x10; n < 2 || left > 0; left /= 10)
        digits[n++] = static_cast<char>('0' + left % 10);
    int at = 6;
    while (n > 1)
        line[at++] = digits[--n];
    line[at++] = '.';
    line[at++] = digits[0];
    line[at++] = ' ';
    for (; *phase && at < 94; ++phase)
        line[at++] = *phase;
    line[at++] = '\n';
    DWORD written = 0;
    // Without a standard output (a start from Explorer) the line goes nowhere.
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(at), &written, nullptr);
}

} // namespace qm
