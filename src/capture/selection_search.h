#pragma once
// The two hotkey actions: copy the selection of whatever window has the focus,
// then search it at once (direct search) or bring up the panel with it (panel search).
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace qm {

class PanelWindow;
enum class CopyTarget;

class SelectionSearch {
  public:
    // Pauses for at most the given milliseconds while window messages keep flowing,
    // ending early once done() holds.
    using WaitFn = std::function<void(int milliseconds, const std::function<bool()>& done)>;

    SelectionSearch(HWND clipboard_owner, PanelWindow& panel, WaitFn wait);

    // Both actions take the virtual key of the pressed hotkey (0 if unknown): the copy
    // keystroke waits, briefly, for the user to let go of it and of the modifiers.

    // Copies the selection and opens url_template followed by it; returns the copied
    // text, or nothing when a press arrived while an action was still waiting or the
    // selection was out of reach.
    std::optional<std::u16string> DirectSearch(const std::string& url_template, int hotkey_key = 0);

    // Places the panel at the mouse pointer, copies the selection, then shows the
    // panel with it or, when nothing was copied, hides it; leaves the panel alone when
    // the selection is out of reach. False when ignored because an action was still
    // waiting.
    bool PanelSearch(int hotkey_key = 0);

    // Where the keyboard focus is; unset, the platform is asked. For tests.
    std::function<CopyTarget()> focused_target;

    // A press while a window that runs above this program (as administrator) is in
    // front: its selection cannot be copied, so neither action does anything but this.
    std::function<void()> SelectionOutOfReach;

  private:
    // Where the selection comes from, decided at the press.
    struct Source {
        CopyTarget target;
        std::u16string own_text; // the panel's text box, when the focus is there
    };
    Source FocusedSource() const;
    // True, after telling the host, when the selection is out of reach.
    bool OutOfReach(const Source& source) const;
    // make_panel: a panel not made yet (a press before the program has settled) is made
    // while the copy is on its way.
    std::u16string CaptureSelection(const Source& source, int hotkey_key, bool make_panel = false);
    void Wait(int milliseconds, const std::function<bool()>& done);

    HWND clipboard_owner_;
    PanelWindow* panel_;
    WaitFn wait_;
    bool busy_ = false;
};

} // namespace qm
