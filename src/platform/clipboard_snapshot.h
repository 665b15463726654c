#pragma once
// A copy of everything the clipboard holds, so it can be put back after the
// selection capture emptied it and the copy brought nothing.
#include <windows.h>

#include <vector>

#include "platform/unique_handle.h"

namespace qm {

class ClipboardSnapshot {
  public:
    // Renders and copies every format the clipboard offers.
    static ClipboardSnapshot Take(HWND owner);

    // False when the clipboard could not be opened: then there is nothing to put back
    // and the clipboard must not be emptied either.
    bool taken() const { return taken_; }

    // Replaces the clipboard's content with the copy; owner becomes its owner. Does
    // nothing for a snapshot that was not taken. The copy is handed over, so the
    // snapshot cannot be restored twice.
    bool Restore(HWND owner);

    size_t format_count() const { return entries_.size(); }

  private:
    struct Entry {
        UINT format = 0;
        UniqueHglobal memory;       // every format kept as a block of bytes
        UniqueHenhmetafile picture; // CF_ENHMETAFILE
    };

    bool taken_ = false;
    std::vector<Entry> entries_;
};

} // namespace qm
