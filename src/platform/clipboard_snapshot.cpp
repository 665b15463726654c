#include "platform/clipboard_snapshot.h"

#include <cstring>
#include <utility>

#include "platform/clipboard.h"

namespace qm {

namespace {
// Formats whose data is not a plain memory block are skipped where the system
// rebuilds them from one that is kept: CF_BITMAP and CF_PALETTE from CF_DIB,
// CF_METAFILEPICT from CF_ENHMETAFILE (it offers the rebuilt formats itself, so
// the kept one is always there). The private and GDI ranges hold handles only
// their owner understands, and the display-only formats draw through their owner.
bool IsKept(UINT format) {
    switch (format) {
    case CF_BITMAP:
    case CF_PALETTE:
    case CF_METAFILEPICT:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
        return false;
    default:
        return !(format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) &&
               !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
    }
}

UniqueHglobal CopyBlock(HANDLE data) {
    SIZE_T size = GlobalSize(data);
    if (size == 0)
        return {};
    const void* source = GlobalLock(data);
    if (!source)
        return {};
    UniqueHglobal copy(GlobalAlloc(GMEM_MOVEABLE, size));
    void* target = copy ? GlobalLock(copy.get()) : nullptr;
    if (target) {
        std::memcpy(target, source, size);
        GlobalUnlock(copy.get());
    } else {
        copy.reset();
    }
    GlobalUnlock(data);
    return copy;
}
} // namespace

ClipboardSnapshot ClipboardSnapshot::Take(HWND owner) {
    ClipboardSnapshot snapshot;
    OpenedClipboard clipboard(owner);
    if (!clipboard)
        return snapshot;
    snapshot.taken_ = true;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (!IsKept(format))
            continue;
        // Asks a delayed-rendering owner for its data; one that cannot give it is skipped.
        HANDLE data = GetClipboardData(format);
        if (!data)
            continue;
        Entry entry;
        entry.format = format;
        if (format == CF_ENHMETAFILE)
            entry.picture.reset(CopyEnhMetaFileA(static_cast<HENHMETAFILE>(data), nullptr));
        else
            entry.memory = CopyBlock(data);
        if (entry.picture || entry.memory)
            snapshot.entries_.push_back(std::move(entry));
    }
    return snapshot;
}

bool ClipboardSnapshot::Restore(HWND owner) {
    if (!std::exchange(taken_, false))
        return false;
    std::vector<Entry> entries = std::move(entries_);
    entries_.clear();
    OpenedClipboard clipboard(owner);
    if (!clipboard || !EmptyClipboard())
        return false;
    bool all = true;
    for (Entry& entry : entries) {
        // On success the clipboard owns the data, so the copy lets go of it.
        if (entry.picture) {
            if (SetClipboardData(entry.format, entry.picture.get()))
                entry.picture.release();
            else
                all = false;
        } else if (SetClipboardData(entry.format, entry.memory.get())) {
            entry.memory.release();
        } else {
            all = false;
        }
    }
    return all;
}

} // namespace qm
