#pragma once
// What the panel draws itself, beneath its controls: the banner and background
// pictures, then the row headings and the divider lines over them.
#include <windows.h>

#include "platform/unique_handle.h"
#include "search_panel/panel_layout.h"

namespace qm {

// A layout box in pixels of this screen.
RECT PixelRect(const TwipsRect& box);

class PanelArtwork {
  public:
    // Loads the pictures from the program's resources; a missing one is drawn as a
    // plain fill so the panel stays usable.
    void Load(HINSTANCE instance);
    void Paint(HDC dc, HFONT font) const;

  private:
    UniqueHbitmap banner_;
    UniqueHbitmap background_;
};

} // namespace qm
