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

    // The shell's call, replaceable so that tests can refuse it.
    using NotifyFunction = BOOL(WINAPI*)(DWORD operation, PNOTIFYICONDATAW record);

    // Creates the hidden notification window. The host's icon is borrowed, not owned.
    bool Create(HICON host_icon, NotifyFunction notify = Shell_NotifyIconW);
    // A refused add (the taskbar is still starting at logon) is tried again every
    // kRetryAddMs for up to kRetryAddCount times, until it succeeds, the shell turns
    // out to hold the icon already, or the taskbar announces itself.
    void Show();
    // style is the shell's balloon icon value. A balloon asked for while the shell does
    // not hold the icon (before Show, or while the taskbar is still starting at logon)
    // waits for the add that succeeds, and shows then, once.
    void ShowBubble(const std::u16string& title, const std::u16string& text, DWORD style);
    // Borrowed, like the host's icon.
    void ChangeIcon(HICON icon);
    void Hide();
    // Used by Show instead of the host's icon; borrowed. Null goes back to the host's icon.
    void SetPicture(HICON icon) { picture_ = icon; }

    // Right button press or double-click; left button press or double-click.
    std::function<void()> PopupMenu;
    std::function<void()> IconClick;

    using WindowBase::hwnd;

    static constexpr UINT kRetryAddMs = 2000;
    static constexpr int kRetryAddCount = 60; // two minutes
    static constexpr UINT_PTR kRetryAddTimer = 1;

  private:
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnTimer(UINT_PTR id) override; // a retried add
    void OnNotification(UINT mouse_message);
    bool Send(DWORD operation, bool with_balloon);
    void Add();
    bool AddOrKeep(); // true when the shell holds the icon afterwards
    void ShowPendingBubble();
    void StopRetrying();
    static void Raise(const std::function<void()>& event);

    NOTIFYICONDATAW record_{};
    std::u16string info_title_;
    std::u16string info_text_;
    HICON host_icon_ = nullptr;
    HICON picture_ = nullptr;
    NotifyFunction notify_ = Shell_NotifyIconW;
    int retries_left_ = 0;
    UINT taskbar_created_ = 0;
    bool shown_ = false;
    bool held_ = false; // the last add, or modify in its place, succeeded
    bool bubble_pending_ = false;
    bool balloon_shown_ = false;
};

} // namespace qm
