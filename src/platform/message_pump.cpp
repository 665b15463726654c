#include "platform/message_pump.h"

#include "platform/dialog_keys.h"

#include <windows.h>

namespace qm {

std::optional<int> DispatchPending() {
    std::optional<int> quit_code;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit_code = static_cast<int>(msg.wParam);
            continue;
        }
        if (PreTranslate(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return quit_code;
}

} // namespace qm
