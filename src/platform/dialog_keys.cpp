#include "platform/dialog_keys.h"

#include <algorithm>
#include <vector>

namespace qm {

namespace {
// Only the user-interface thread touches it.
std::vector<HWND>& Windows() {
    static std::vector<HWND> windows;
    return windows;
}
} // namespace

void AddDialogKeys(HWND window) {
    if (window && std::find(Windows().begin(), Windows().end(), window) == Windows().end())
        Windows().push_back(window);
}

void RemoveDialogKeys(HWND window) {
    Windows().erase(std::remove(Windows().begin(), Windows().end(), window), Windows().end());
}

bool PreTranslate(MSG& msg) {
    for (HWND window : Windows()) {
        if ((msg.hwnd == window || IsChild(window, msg.hwnd)) && IsDialogMessageW(window, &msg))
            return true;
    }
    return false;
}

} // namespace qm
