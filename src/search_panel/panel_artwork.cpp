#include "search_panel/panel_artwork.h"

#include "platform/dpi.h"
#include "resources/resource_ids.h"

namespace qm {

namespace {
// A memory device context for the length of one drawing.
class MemoryDc {
  public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

void DrawPicture(HDC dc, HBITMAP picture, const RECT& target, COLORREF fallback) {
    BITMAP info{};
    MemoryDc source(dc);
    if (!picture || !source.get() || !GetObjectA(picture, sizeof(info), &info)) {
        UniqueHbrush fill(CreateSolidBrush(fallback));
        FillRect(dc, &target, fill.get());
        return;
    }
    HGDIOBJ old = SelectObject(source.get(), picture);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
               source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source.get(), old);
}

HBITMAP LoadPicture(HINSTANCE instance, int id) {
    return static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}
} // namespace

RECT PixelRect(const TwipsRect& box) {
    int left = TwipsToPixelsX(box.left);
    int top = TwipsToPixelsY(box.top);
    return {left, top, left + TwipsToPixelsX(box.width), top + TwipsToPixelsY(box.height)};
}

void PanelArtwork::Load() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    banner_.reset(LoadPicture(instance, IDB_BANNER));
    background_.reset(LoadPicture(instance, IDB_BACKGROUND));
    loaded_ = true;
}

void PanelArtwork::Paint(HDC dc, HFONT font) {
    if (!loaded_)
        Load();
    int saved = SaveDC(dc);
    DrawPicture(dc, banner_.get(), PixelRect(panel_layout::kBanner), RGB(30, 110, 200));
    DrawPicture(dc, background_.get(), PixelRect(panel_layout::kBackground), RGB(220, 220, 220));

    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, panel_layout::kHeadingTextColour);
    for (const PanelHeading& heading : panel_layout::Headings()) {
        RECT box = PixelRect(heading.box);
        DrawTextA(dc, heading.caption, -1, &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }

    UniqueHpen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT)));
    SelectObject(dc, pen.get());
    for (const TwipsLine& line : panel_layout::Lines()) {
        MoveToEx(dc, TwipsToPixelsX(line.x1), TwipsToPixelsY(line.y1), nullptr);
        LineTo(dc, TwipsToPixelsX(line.x2), TwipsToPixelsY(line.y2));
    }
    // Deselects the pen and font before the pen is deleted.
    RestoreDC(dc, saved);
}

} // namespace qm
