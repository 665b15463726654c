#include "tray/tray_icon.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

namespace qm {
namespace {

// The shell accepts a change to an icon only while it holds that icon.
bool ShellHoldsIcon(HWND owner) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V2_SIZE;
    probe.hWnd = owner;
    probe.uID = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
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
    NOTIFYICONDATAA lost{};
    lost.cbSize = NOTIFYICONDATAA_V2_SIZE;
    lost.hWnd = tray.hwnd();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));
    ASSERT_FALSE(ShellHoldsIcon(tray.hwnd()));
    SendMessageA(tray.hwnd(), taskbar_created, 0, 0);
    EXPECT_TRUE(ShellHoldsIcon(tray.hwnd())) << "shown icon restored";

    tray.Hide();
    SendMessageA(tray.hwnd(), taskbar_created, 0, 0);
    EXPECT_FALSE(ShellHoldsIcon(tray.hwnd())) << "hidden icon stays away";
}

} // namespace
} // namespace qm
