#pragma once
// The step of every nested message loop on the user-interface thread (the wait,
// the update fetch): empty the queue, keeping the keys of dialog navigation.
#include <optional>

namespace qm {

// Dispatches every message in this thread's queue, each offered to PreTranslate
// first. A WM_QUIT is taken out rather than dispatched (posted again here it would
// come straight back): its exit code is returned, for the caller to post once its
// own wait is over, so that the main loop still ends.
std::optional<int> DispatchPending();

} // namespace qm
