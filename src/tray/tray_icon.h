#pragma once
// The program's one icon in the notification area. The shell reports mouse actions on
// the icon to a hidden window of this object, which turns them into two events.
#include "platform/window_base.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace qm {

class Tray final : private WindowBase {
  public:
    Tray() = default;
    ~Tray() override; // removes the icon, then destroys the window

    // Creates the hidden notification window. The host's icon is borrowed, not owned.
    bool Create(HICON host_icon);
    void Show();
    // Texts are in the ANSI code page; style is the shell's balloon icon value.
    void ShowBubble(const std::string& title, const std::string& text, DWORD style);
    // Borrowed, like the host's icon.
    void ChangeIcon(HICON icon);
    void Hide();
    // Used by Show instead of the host's icon; borrowed. Null goes back to the host's icon.
    void SetPicture(HICON icon) { picture_ = icon; }

    // Right button press or double-click; left button press or double-click.
    std::function<void()> PopupMenu;
    std::function<void()> IconClick;

    using WindowBase::hwnd;

  private:
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnNotification(UINT mouse_message);
    void Send(DWORD operation);
    static void Raise(const std::function<void()>& event);

    NOTIFYICONDATAA record_{};
    std::string info_title_;
    std::string info_text_;
    HICON host_icon_ = nullptr;
    HICON picture_ = nullptr;
    UINT taskbar_created_ = 0;
    bool shown_ = false;
    bool balloon_shown_ = false;
};

} // namespace qm
