#include "platform/dpi.h"

#include <windows.h>

namespace qm {

namespace {
int ReadDpi(int index) {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, index) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}
} // namespace

int ScreenDpiX() {
    return ReadDpi(LOGPIXELSX);
}
int ScreenDpiY() {
    return ReadDpi(LOGPIXELSY);
}
int TwipsToPixelsX(int twips) {
    return MulDiv(twips, ScreenDpiX(), 1440);
}
int TwipsToPixelsY(int twips) {
    return MulDiv(twips, ScreenDpiY(), 1440);
}

} // namespace qm
