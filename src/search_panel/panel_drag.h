#pragma once
// Turns a mouse press on a window's client area into the system's window move.
#include <windows.h>

namespace qm {

// Runs the system move loop for window as if its title bar had been pressed;
// returns when the pressed button is released. A maximised window stays put.
void DragPanel(HWND window);

} // namespace qm
