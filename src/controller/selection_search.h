#pragma once
// The two hotkey actions: copy the selection of whatever window has the focus,
// then search it at once (direct search) or bring up the panel with it (panel search).
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace qm {

class Find2;

class SelectionSearch {
  public:
    // wait pauses for the given milliseconds while window messages keep flowing.
    SelectionSearch(HWND clipboard_owner, std::function<void(int)> wait);

    // Copies the selection and opens url_template followed by it; returns the copied
    // text, or nothing when a press arrived while an action was still waiting.
    std::optional<std::u16string> DirectSearch(const std::string& url_template);

    // Places the panel at the mouse pointer, copies the selection, then shows the
    // panel with it or, when nothing was copied, hides it. False when ignored
    // because an action was still waiting.
    bool PanelSearch(Find2& panel);

    bool Busy() const { return busy_; }

  private:
    std::u16string CaptureSelection();
    void Wait(int milliseconds);

    HWND clipboard_owner_;
    std::function<void(int)> wait_;
    bool busy_ = false;
};

} // namespace qm
