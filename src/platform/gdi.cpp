#include "platform/gdi.h"

#include "platform/dpi.h"

namespace qm {

UniqueHfont CreateUiFont() {
    return UniqueHfont(CreateFontA(-MulDiv(9, ScreenDpiY(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial"));
}

void DrawLine(HDC dc, const TwipsLine& line) {
    MoveToEx(dc, TwipsToPixelsX(line.x1), TwipsToPixelsY(line.y1), nullptr);
    LineTo(dc, TwipsToPixelsX(line.x2), TwipsToPixelsY(line.y2));
}

} // namespace qm
