#pragma once
// The clipboard as the selection capture uses it. Every call opens and closes
// the clipboard itself, waiting briefly when another program holds it open.
#include <windows.h>

#include <cstddef>
#include <string>

namespace qm {

// The clipboard opened for owner, closed again when this goes out of scope.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner);
    ~OpenedClipboard();
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

  private:
    bool open_ = false;
};

// The clipboard's text, at most max_units UTF-16 units (cut without splitting a
// character); empty when it holds no text or cannot be opened.
std::u16string ReadClipboardText(HWND owner, size_t max_units);

// Changes whenever any program changes the clipboard.
DWORD ClipboardChangeCount();

// Whether the clipboard offers text, asked without opening it or having anything rendered.
bool ClipboardOffersText();

// Whether a window holds the clipboard open, as a program does while it writes a copy.
bool ClipboardHeldOpen();

} // namespace qm
