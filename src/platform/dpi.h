#pragma once
// Layout numbers are twips (15 per pixel at 96 dpi); this converts them with the
// screen's real DPI.
#include "platform/twips.h"

#include <windows.h>

namespace qm {

// A layout box in pixels of this screen: every window places its controls through this.
RECT PixelRect(const TwipsRect& box);

int ScreenDpiX();
int ScreenDpiY();
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

} // namespace qm
