#include "tray/tray_icon.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace qm {
namespace {

// The shell accepts a change to an icon only while it holds that icon.
bool ShellHoldsIcon(HWND owner) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V2_SIZE;
    probe.hWnd = owner;
    probe.uID = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

HICON HostIcon() {
    return LoadIconA(nullptr, IDI_APPLICATION);
}

TEST(TrayNotifications, EachMouseActionRaisesItsOwnEvent) {
    Tray tray;
    ASSERT_TRUE(tray.Create(HostIcon()));
    int popups = 0;
    int clicks = 0;
    tray.PopupMenu = [&] { ++popups; };
    tray.IconClick = [&] { ++clicks; };

    struct Row {
        LPARAM lparam;
        int popups;
        int clicks;
        const char* what;
    };
    const Row rows[] = {
        {WM_RBUTTONDOWN, 1, 0, "right press"},
        {WM_RBUTTONDBLCLK, 1, 0, "right double-click"},
        {WM_LBUTTONDOWN, 0, 1, "left press"},
        {WM_LBUTTONDBLCLK, 0, 1, "left double-click"},
        {WM_RBUTTONUP, 0, 0, "right release"},
        {WM_LBUTTONUP, 0, 0, "left release"},
        {WM_MBUTTONDOWN, 0, 0, "middle press"},
        {WM_MOUSEMOVE, 0, 0, "hover"},
        {WM_CONTEXTMENU, 0, 0, "context menu"},
        {NIN_SELECT, 0, 0, "select"},
        {NIN_BALLOONUSERCLICK, 0, 0, "balloon click"},
        // Only the low word names the action: the rest is not a pointer position.
        {MAKELPARAM(WM_RBUTTONDOWN, 7), 1, 0, "right press, icon id in the high word"},
        {MAKELPARAM(WM_LBUTTONDOWN, 0xffff), 0, 1, "left press, high word all set"},
        {MAKELPARAM(WM_LBUTTONDOWN * 15, 0), 0, 0, "left press scaled to twips"},
    };
    for (const Row& row : rows) {
        popups = clicks = 0;
        SendMessageA(tray.hwnd(), WM_MOUSEMOVE, 0, row.lparam);
        EXPECT_EQ(popups, row.popups) << row.what;
        EXPECT_EQ(clicks, row.clicks) << row.what;
    }
}

TEST(TrayIcon, ShowHideAndDestructionAddAndRemoveTheIcon) {
    HWND owner = nullptr;
    {
        Tray tray;
        ASSERT_TRUE(tray.Create(HostIcon()));
        owner = tray.hwnd();
        EXPECT_FALSE(ShellHoldsIcon(owner)) << "before Show";
        tray.Show();
        EXPECT_TRUE(ShellHoldsIcon(owner)) << "after Show";
        tray.Hide();
        EXPECT_FALSE(ShellHoldsIcon(owner)) << "after Hide";
        tray.Show();
        ASSERT_TRUE(ShellHoldsIcon(owner)) << "after the second Show";
    }
    EXPECT_FALSE(ShellHoldsIcon(owner)) << "after destruction";
}

TEST(TrayIcon, ShellRestartBringsBackOnlyAShownIcon) {
    const UINT taskbar_created = RegisterWindowMessageA("TaskbarCreated");
    Tray tray;
    ASSERT_TRUE(tray.Create(HostIcon()));
    tray.Show();
    // A restarting shell forgets every icon, then announces itself.
    NOTIFYICONDATAW lost{};
    lost.cbSize = NOTIFYICONDATAW_V2_SIZE;
    lost.hWnd = tray.hwnd();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &lost));
    ASSERT_FALSE(ShellHoldsIcon(tray.hwnd()));
    SendMessageA(tray.hwnd(), taskbar_created, 0, 0);
    EXPECT_TRUE(ShellHoldsIcon(tray.hwnd())) << "shown icon restored";

    tray.Hide();
    SendMessageA(tray.hwnd(), taskbar_created, 0, 0);
    EXPECT_FALSE(ShellHoldsIcon(tray.hwnd())) << "hidden icon stays away";
}

// A shell that refuses the first `refused_adds` adds and records what it is asked. As a
// real one, it refuses to add an icon it holds and to modify one it does not.
struct FakeShell {
    static inline int refused_adds = 0;
    static inline int adds = 0;
    static inline bool holds = false;
    static inline DWORD last_modify_flags = 0;
    static inline int balloons = 0;       // balloons shown
    static inline int balloons_taken = 0; // NIF_INFO with no text: a showing balloon goes
    static inline std::u16string last_balloon;
    static BOOL WINAPI Notify(DWORD operation, PNOTIFYICONDATAW record) {
        if (operation == NIM_MODIFY && holds && (record->uFlags & NIF_INFO)) {
            const std::u16string text(reinterpret_cast<const char16_t*>(record->szInfo));
            ++(text.empty() ? balloons_taken : balloons);
            if (!text.empty()) {
                last_balloon = text;
                last_modify_flags = record->dwInfoFlags;
            }
        }
        if (operation == NIM_DELETE)
            holds = false;
        if (operation != NIM_ADD)
            return operation == NIM_DELETE || holds;
        ++adds;
        if (holds || adds <= refused_adds)
            return FALSE;
        return holds = true;
    }
};

void Tick(const Tray& tray, int times) {
    for (int i = 0; i < times; ++i)
        SendMessageA(tray.hwnd(), WM_TIMER, Tray::kRetryAddTimer, 0);
}

TEST(TrayIcon, RefusedAddIsRetriedUntilItSucceedsOrTwoMinutesPass) {
    static_assert(Tray::kRetryAddMs * Tray::kRetryAddCount == 120000);
    const UINT taskbar_created = RegisterWindowMessageA("TaskbarCreated");
    const struct {
        const char* name;
        int refused_adds;
        bool holds_before, taskbar_created_after_first_tick, hide_after_first_tick;
        int adds; // after more ticks than the retries allow
    } rows[] = {
        {"shell ready", 0, false, false, false, 1},
        {"third retry succeeds", 3, false, false, false, 4},
        {"never succeeds", 1000, false, false, false, 1 + Tray::kRetryAddCount},
        {"last retry succeeds", Tray::kRetryAddCount, false, false, false,
         1 + Tray::kRetryAddCount},
        {"taskbar announces itself", 2, false, true, false, 3},
        {"hidden meanwhile", 1000, false, false, true, 2},
        // A DPI or monitor change: explorer announces itself and keeps the icon.
        {"announced while the icon stays", 0, false, true, false, 2},
        {"icon already held", 0, true, false, false, 1},
    };
    for (const auto& row : rows) {
        FakeShell::refused_adds = row.refused_adds;
        FakeShell::adds = 0;
        FakeShell::holds = row.holds_before;
        Tray tray;
        ASSERT_TRUE(tray.Create(HostIcon(), FakeShell::Notify));
        tray.Show();
        Tick(tray, 1);
        if (row.taskbar_created_after_first_tick)
            SendMessageA(tray.hwnd(), taskbar_created, 0, 0);
        if (row.hide_after_first_tick)
            tray.Hide();
        Tick(tray, Tray::kRetryAddCount + 5);
        EXPECT_EQ(FakeShell::adds, row.adds) << row.name;
    }
}

// At logon the taskbar may refuse the first adds: a notice asked for meanwhile, or before
// the icon is shown at all, shows once the icon is there, and once only; nothing else
// takes a showing balloon away. Its text reaches the shell whole, whatever the code page.
TEST(TrayIcon, NoticeWaitsForTheIconAndShowsOnce) {
    const UINT taskbar_created = RegisterWindowMessageA("TaskbarCreated");
    const std::u16string notice = u"Ctrl + Alt + A types \"\u0105\" on Polish (Programmers)";
    const struct {
        const char* name;
        int refused_adds;
        bool notice_before_show;
        int balloons_after_first_tick;
    } rows[] = {
        {"shell ready", 0, false, 1},        {"notice before the icon is shown", 0, true, 1},
        {"first adds refused", 3, false, 0}, {"first adds refused, notice before", 3, true, 0},
        {"never added", 1000, false, 0},
    };
    for (const auto& row : rows) {
        FakeShell::refused_adds = row.refused_adds;
        FakeShell::adds = FakeShell::balloons = FakeShell::balloons_taken = 0;
        FakeShell::holds = false;
        FakeShell::last_balloon.clear();
        FakeShell::last_modify_flags = 0;
        Tray tray;
        ASSERT_TRUE(tray.Create(HostIcon(), FakeShell::Notify));
        if (row.notice_before_show)
            tray.ShowBubble(u"", notice, NIIF_WARNING | NIIF_NOSOUND);
        tray.Show();
        if (!row.notice_before_show)
            tray.ShowBubble(u"", notice, NIIF_WARNING | NIIF_NOSOUND);
        Tick(tray, 1);
        EXPECT_EQ(FakeShell::balloons, row.balloons_after_first_tick) << row.name;
        Tick(tray, Tray::kRetryAddCount + 5);
        SendMessageA(tray.hwnd(), taskbar_created, 0, 0); // kept or added again: no balloon
        const bool added = row.refused_adds < Tray::kRetryAddCount;
        EXPECT_EQ(FakeShell::balloons, added ? 1 : 0) << row.name;
        EXPECT_EQ(FakeShell::last_balloon, added ? notice : u"") << row.name;
        EXPECT_EQ(FakeShell::last_modify_flags, added ? DWORD{NIIF_WARNING | NIIF_NOSOUND} : 0)
            << row.name;
        EXPECT_EQ(FakeShell::balloons_taken, 0) << row.name;
    }
}

TEST(TrayIcon, HoverBalloonOnceAndSilent) {
    FakeShell::refused_adds = 0;
    FakeShell::holds = false;
    Tray tray;
    ASSERT_TRUE(tray.Create(HostIcon(), FakeShell::Notify));
    tray.Show();
    FakeShell::last_modify_flags = 0xdead;
    SendMessageA(tray.hwnd(), WM_MOUSEMOVE, 0, WM_MOUSEMOVE);
    EXPECT_EQ(FakeShell::last_modify_flags, DWORD{NIIF_NONE | NIIF_NOSOUND});
    EXPECT_EQ(FakeShell::last_balloon, u"Lindhollow:The First Vizu Dovari");
    FakeShell::last_modify_flags = 0xdead;
    SendMessageA(tray.hwnd(), WM_MOUSEMOVE, 0, WM_MOUSEMOVE);
    EXPECT_EQ(FakeShell::last_modify_flags, 0xdeadu) << "a second hover shows nothing";
}

} // namespace
} // namespace qm
