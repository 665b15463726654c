#pragma once
// A wait that pauses the user-interface thread for a number of
// milliseconds while its window messages keep flowing.
#include <windows.h>

#include "platform/program_path.h"
#include "platform/text_codec.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qm {

class WaitableTimer {
  public:
    // The timer names begin with the exe's name; a test may give its own. The
    // name only has to be the same for every copy of the program, so its ANSI
    // form serves even where a character does not survive the code page.
    explicit WaitableTimer(std::string exe_base_name = WideToAnsi(ExeBaseName()));
    ~WaitableTimer();
    WaitableTimer(const WaitableTimer&) = delete;
    WaitableTimer& operator=(const WaitableTimer&) = delete;

    // Returns once the interval has elapsed, having dispatched every message
    // that arrived meanwhile and emptied the queue once more at the end. A
    // handler may call Wait again on the same object; every call still ends no
    // earlier than its own due time. 0 and negative intervals return after one
    // pass over the queue. A WM_QUIT met on the way is posted again on return,
    // so the caller's message loop still ends. The object must outlive its waits.
    // With done, the wait also ends as soon as done() holds, checked after every
    // pass over the queue and every few milliseconds.
    void Wait(int32_t milliseconds, const std::function<bool()>& done = nullptr);

    // The timer of the innermost wait in progress, null between waits. Each
    // wait owns and closes its own timer; this is for inspection only.
    HANDLE TimerHandle() const { return timer_; }

  private:
    std::string exe_base_name_;
    HANDLE timer_ = nullptr;
};

} // namespace qm
