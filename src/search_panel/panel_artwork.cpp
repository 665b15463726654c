#include "search_panel/panel_artwork.h"

#include "platform/dpi.h"
#include "platform/gdi.h"
#include "resources/resource_ids.h"

namespace qm {

namespace {
// bottom_rows: only that many of the picture's last rows, stretched over the target.
void DrawPicture(HDC dc, HBITMAP picture, const RECT& target, COLORREF fallback,
                 int bottom_rows = 0) {
    BITMAP info{};
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!picture || !source || !GetObjectA(picture, sizeof(info), &info)) {
        UniqueHbrush fill(CreateSolidBrush(fallback));
        FillRect(dc, &target, fill.get());
        return;
    }
    SelectedObject selected(source.get(), picture);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    int rows = bottom_rows > 0 && bottom_rows < info.bmHeight ? bottom_rows : info.bmHeight;
    StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
               source.get(), 0, info.bmHeight - rows, info.bmWidth, rows, SRCCOPY);
}

void DrawHeading(HDC dc, const PanelHeading& heading) {
    RECT box = PixelRect(heading.box);
    DrawTextA(dc, heading.caption, -1, &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

HBITMAP LoadPicture(HINSTANCE instance, int id) {
    return static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}
} // namespace

void PanelArtwork::Load() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    banner_.reset(LoadPicture(instance, IDB_BANNER));
    background_.reset(LoadPicture(instance, IDB_BACKGROUND));
    loaded_ = true;
}

void PanelArtwork::Paint(HDC dc, HFONT font, const panel_layout::OwnRows& own) {
    using namespace panel_layout;
    if (!loaded_)
        Load();
    DrawPicture(dc, banner_.get(), PixelRect(kBanner), RGB(30, 110, 200));
    const COLORREF plain = RGB(220, 220, 220);
    DrawPicture(dc, background_.get(), PixelRect(kBackground), plain);
    if (own.height > 0) {
        RECT below = PixelRect({0, kClientHeight, kClientWidth, own.height});
        DrawPicture(dc, background_.get(), below, plain, 4);
    }

    SelectedObject selected_font(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kHeadingTextColour);
    for (const PanelHeading& heading : Headings())
        DrawHeading(dc, heading);
    if (own.height > 0)
        DrawHeading(dc, {kOwnHeading, own.heading});

    UniqueHpen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT)));
    SelectedObject selected_pen(dc, pen.get());
    for (const TwipsLine& line : Lines())
        DrawLine(dc, line);
    for (const TwipsLine& line : own.lines)
        DrawLine(dc, line);
}

} // namespace qm
