#pragma once
// Layout numbers are twips (15 per pixel at 96 dpi); this converts them with the
// screen's real DPI.
namespace qm {

int ScreenDpiX();
int ScreenDpiY();
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

} // namespace qm
