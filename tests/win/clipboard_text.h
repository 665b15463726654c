#pragma once
// Puts text on the clipboard, as an application that copies would.
#include "platform/clipboard.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace qm::test {

// Replaces the clipboard's content with text.
inline bool WriteClipboardText(HWND owner, const std::u16string& text) {
    size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block)
        return false;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(block);
    OpenedClipboard clipboard(owner);
    if (clipboard && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block))
        return true; // the clipboard owns the block now
    GlobalFree(block);
    return false;
}

} // namespace qm::test
