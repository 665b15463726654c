#pragma once
// Owners for the drawing chores: a device context for the length of one drawing, an
// object selected into one, and the one font every window of the program writes in.
#include "platform/twips.h"
#include "platform/unique_handle.h"

#include <windows.h>

namespace qm {

// BeginPaint .. EndPaint, for one WM_PAINT.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// GetDC .. ReleaseDC; a null window is the screen.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

namespace detail {
inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}
} // namespace detail

// CreateCompatibleDC .. DeleteDC.
using UniqueMemoryDc = UniqueAny<HDC, detail::DeleteMemoryDc>;

// Selects an object into a DC and puts the previous one back, so that the object can be
// deleted afterwards: declare it after the object's owner.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Arial 9 pt at the screen's DPI: the settings window, the hotkey fields and the panel.
UniqueHfont CreateUiFont();

// A layout line in pixels of this screen, with the DC's current pen.
void DrawLine(HDC dc, const TwipsLine& line);

} // namespace qm
