#pragma once
// What the panel draws itself, beneath its controls: the banner and background
// pictures, then the row headings and the divider lines over them.
#include <windows.h>

#include "platform/unique_handle.h"
#include "search_panel/panel_layout.h"

namespace qm {

class PanelArtwork {
  public:
    // The pictures come from the program's resources at the first painting, so a
    // panel that is never shown never holds them; a missing one is drawn as a plain
    // fill so the panel stays usable.
    // own: the rows of the user's engines, drawn below the rest on the background's
    // bottom edge drawn out, so that the pictures above keep their size.
    void Paint(HDC dc, HFONT font, const panel_layout::OwnRows& own);

  private:
    void Load();

    bool loaded_ = false;
    UniqueHbitmap banner_;
    UniqueHbitmap background_;
};

} // namespace qm
