#include "search_panel/panel_drag.h"

#include <commctrl.h>

namespace qm {

namespace {
constexpr UINT_PTR kSubclassId = 0x6D6F7665; // "move"

// The system move loop ends only when the left button comes up. A move started
// with the right or middle button would otherwise keep following the mouse after
// that button is released, until the next left click.
LRESULT CALLBACK EndMoveOnButtonUp(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR) {
    switch (message) {
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
        PostMessageA(window, WM_LBUTTONUP, 0, lparam);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, EndMoveOnButtonUp, id);
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}
} // namespace

void DragPanel(HWND window) {
    if (!IsWindow(window) || IsZoomed(window))
        return;
    bool watching = SetWindowSubclass(window, EndMoveOnButtonUp, kSubclassId, 0) != FALSE;
    ReleaseCapture();
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    if (watching && IsWindow(window))
        RemoveWindowSubclass(window, EndMoveOnButtonUp, kSubclassId);
}

} // namespace qm
