#include "tray/tray_icon.h"

#include "platform/system_library.h"
#include "tray/notify_text.h"

#include <algorithm>

namespace qm {

namespace {

constexpr char kWindowClass[] = "QuenmarkTrayWindow";
constexpr char16_t kHoverBalloon[] = u"Lindhollow:The First Vizu Dovari";
// The shell reports mouse actions on the icon as this message, the action's own
// message number in the low word of lParam.
constexpr UINT kCallbackMessage = WM_MOUSEMOVE;
// The record with balloon fields and no GUID, the form every shell since Windows 2000 takes.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAW_V2_SIZE == 936);

// The filter for this window alone came with Windows 7, looked up so that the exe still
// starts on Vista, where the older call opens the whole process to the message.
void LetTaskbarBroadcastIn(HWND window, UINT message) {
    decltype(&ChangeWindowMessageFilterEx) filter_window = nullptr;
    if (FindFunction(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx", filter_window))
        filter_window(window, message, MSGFLT_ALLOW, nullptr);
    else
        ChangeWindowMessageFilter(message, MSGFLT_ADD);
}

template <size_t N> void WriteField(wchar_t (&field)[N], const std::u16string& text) {
    const std::u16string fitted = FitNotifyField(text, N);
    std::copy(fitted.begin(), fitted.end(), field);
    field[fitted.size()] = L'\0';
}

} // namespace

Tray::~Tray() {
    Hide();
    DestroyWindowObject();
}

bool Tray::Create(HICON host_icon, NotifyFunction notify) {
    host_icon_ = host_icon;
    notify_ = notify;
    if (hwnd())
        return true;
    // A hidden top-level window, not a message-only one: only top-level windows hear
    // the taskbar's "TaskbarCreated" broadcast after the shell restarts.
    if (!CreateWindowObject(kWindowClass, WS_EX_TOOLWINDOW, WS_POPUP, "", 0, 0, 0, 0, nullptr))
        return false;
    taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");
    // When the program runs elevated, the shell's broadcast would otherwise be filtered
    // out; failure only means the icon is not restored after a shell restart.
    if (taskbar_created_)
        LetTaskbarBroadcastIn(hwnd(), taskbar_created_);

    record_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record_.hWnd = hwnd();
    record_.uID = 0;
    record_.uCallbackMessage = kCallbackMessage;
    return true;
}

void Tray::Show() {
    record_.hIcon = picture_ ? picture_ : host_icon_;
    shown_ = true;
    Add();
}

void Tray::Add() {
    StopRetrying();
    if (AddOrKeep())
        return;
    // Started from the Run key at logon, the program can come before the taskbar, and
    // "TaskbarCreated" may never follow; without the icon a hidden program is unreachable.
    if (SetTimer(hwnd(), kRetryAddTimer, kRetryAddMs, nullptr))
        retries_left_ = kRetryAddCount;
}

bool Tray::AddOrKeep() {
    // Explorer also announces "TaskbarCreated" on DPI and monitor changes while it keeps
    // the icon; the add then fails, and a modify that succeeds says the icon is there.
    held_ = Send(NIM_ADD, false) || Send(NIM_MODIFY, false);
    if (held_)
        ShowPendingBubble();
    return held_;
}

void Tray::ShowPendingBubble() {
    // A refused modify (the shell lost the icon) keeps it for the next add.
    if (bubble_pending_ && Send(NIM_MODIFY, true))
        bubble_pending_ = false;
}

void Tray::OnTimer(UINT_PTR id) {
    if (id != kRetryAddTimer)
        return;
    if (retries_left_ > 0 && shown_) {
        --retries_left_;
        if (!AddOrKeep() && retries_left_ > 0)
            return;
    }
    StopRetrying();
}

void Tray::StopRetrying() {
    if (hwnd())
        KillTimer(hwnd(), kRetryAddTimer); // harmless when none runs
    retries_left_ = 0;
}

void Tray::ShowBubble(const std::u16string& title, const std::u16string& text, DWORD style) {
    info_title_ = title;
    info_text_ = text;
    record_.dwInfoFlags = style;
    bubble_pending_ = true;
    if (held_)
        ShowPendingBubble();
}

void Tray::ChangeIcon(HICON icon) {
    record_.hIcon = icon;
    Send(NIM_MODIFY, false);
}

void Tray::Hide() {
    shown_ = false;
    held_ = false;
    StopRetrying();
    if (hwnd())
        Send(NIM_DELETE, false);
}

bool Tray::Send(DWORD operation, bool with_balloon) {
    // Without NIF_INFO the shell leaves a showing balloon alone; with it and an empty
    // text it would take the balloon away. An add never carries one: a re-added icon
    // must not show the last balloon again.
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | (with_balloon ? NIF_INFO : 0);
    WriteField(record_.szInfoTitle, with_balloon ? info_title_ : std::u16string());
    WriteField(record_.szInfo, with_balloon ? info_text_ : std::u16string());
    // A refused modify or delete changes nothing here; only a refused add is tried again.
    return notify_(operation, &record_) != FALSE;
}

LRESULT Tray::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kCallbackMessage) {
        // The low word is the mouse action whatever the screen's DPI.
        OnNotification(LOWORD(lparam));
        return 0;
    }
    if (taskbar_created_ != 0 && message == taskbar_created_) {
        // The shell restarted and lost the icon; without it a hidden program is unreachable.
        if (shown_)
            Add();
        return 0;
    }
    return WindowBase::OnMessage(message, wparam, lparam);
}

void Tray::OnNotification(UINT mouse_message) {
    switch (mouse_message) {
    case WM_MOUSEMOVE:
        if (!balloon_shown_) {
            balloon_shown_ = true;
            // Windows 10 and later show it as a toast, which would otherwise play the
            // notification sound at every start.
            ShowBubble(u"", kHoverBalloon, NIIF_NONE | NIIF_NOSOUND);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Raise(IconClick);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        Raise(PopupMenu);
        break;
    default:
        break; // releases, the middle button, balloon notices
    }
}

void Tray::Raise(const std::function<void()>& event) {
    // The handler may end the program and destroy this object (the tray menu's "exit"),
    // so it runs from a copy and nothing of this object is touched afterwards.
    std::function<void()> handler = event;
    if (handler)
        handler();
}

} // namespace qm
