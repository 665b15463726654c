#pragma once
// Keyboard navigation between a window's controls (Tab, arrow keys, Space on a
// focused box), as dialogs have it. Every message loop of the user-interface
// thread hands each message to PreTranslate first: the main loop, and the nested
// ones of the wait and of the update fetch, so the keys work while those run.
#include <windows.h>

namespace qm {

void AddDialogKeys(HWND window);
void RemoveDialogKeys(HWND window);

// True when the message was a navigation key for such a window and is handled.
bool PreTranslate(MSG& msg);

} // namespace qm
