#include "search_panel/panel_artwork.h"

#include "platform/dpi.h"
#include "platform/gdi.h"
#include "resources/resource_ids.h"

namespace qm {

namespace {
void DrawPicture(HDC dc, HBITMAP picture, const RECT& target, COLORREF fallback) {
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
    StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
               source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
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

void PanelArtwork::Paint(HDC dc, HFONT font) {
    if (!loaded_)
        Load();
    DrawPicture(dc, banner_.get(), PixelRect(panel_layout::kBanner), RGB(30, 110, 200));
    DrawPicture(dc, background_.get(), PixelRect(panel_layout::kBackground), RGB(220, 220, 220));

    SelectedObject selected_font(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, panel_layout::kHeadingTextColour);
    for (const PanelHeading& heading : panel_layout::Headings()) {
        RECT box = PixelRect(heading.box);
        DrawTextA(dc, heading.caption, -1, &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }

    UniqueHpen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT)));
    SelectedObject selected_pen(dc, pen.get());
    for (const TwipsLine& line : panel_layout::Lines())
        DrawLine(dc, line);
}

} // namespace qm
