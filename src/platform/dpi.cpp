#include "platform/dpi.h"

#include "platform/gdi.h"

namespace qm {

namespace {
int g_dpi_x = 0, g_dpi_y = 0;

int ReadDpi(int index) {
    WindowDc screen(nullptr);
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), index) : 96;
    return dpi > 0 ? dpi : 96;
}
} // namespace

RECT PixelRect(const TwipsRect& box) {
    int left = TwipsToPixelsX(box.left);
    int top = TwipsToPixelsY(box.top);
    return {left, top, left + TwipsToPixelsX(box.width), top + TwipsToPixelsY(box.height)};
}

// The program is DPI-aware for the system, whose DPI stays what it was at the start
// until the process ends: asked once, not for every box of every layout.
int ScreenDpiX() {
    if (!g_dpi_x)
        g_dpi_x = ReadDpi(LOGPIXELSX);
    return g_dpi_x;
}
int ScreenDpiY() {
    if (!g_dpi_y)
        g_dpi_y = ReadDpi(LOGPIXELSY);
    return g_dpi_y;
}
int TwipsToPixelsX(int twips) {
    return MulDiv(twips, ScreenDpiX(), 1440);
}
int TwipsToPixelsY(int twips) {
    return MulDiv(twips, ScreenDpiY(), 1440);
}

} // namespace qm
