#include "tray/tray_menu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace qm {
namespace {

constexpr UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU

HWND WaitForOpenMenu() {
    for (int i = 0; i < 200; ++i) {
        HWND menu = nullptr;
        while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(menu, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(menu))
                return menu;
        }
        Sleep(50);
    }
    return nullptr;
}

// What each item does is driven through the real icon end to end; here the exact
// captions, which the screen cannot tell a test.
TEST(TrayMenu, CaptionsInOrderAndAHiddenHolder) {
    int actions = 0;
    TrayMenu menu({[&] { ++actions; }, [&] { ++actions; }}, {});
    EXPECT_EQ(menu.hwnd(), nullptr) << "the holder is made on first use";

    std::vector<std::string> captions;
    std::thread user([&] {
        HWND open = WaitForOpenMenu();
        if (!open)
            return;
        HMENU items = reinterpret_cast<HMENU>(SendMessageA(open, kGetMenuHandle, 0, 0));
        for (int i = 0; i < GetMenuItemCount(items); ++i) {
            char text[64] = {};
            bool separator = GetMenuState(items, i, MF_BYPOSITION) & MF_SEPARATOR;
            GetMenuStringA(items, i, text, sizeof(text), MF_BYPOSITION);
            captions.push_back(separator ? "-" : text);
        }
        PostMessageA(open, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    menu.Popup();
    user.join();

    const std::vector<std::string> expected = {"Setting",  "Browse Home", "-",
                                               "Quenmark", "Lindhollow",  "exit"};
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(actions, 0) << "dismissing the menu runs nothing";
    char caption[16] = {};
    GetWindowTextA(menu.hwnd(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Form1");
    EXPECT_FALSE(IsWindowVisible(menu.hwnd()));
}

} // namespace
} // namespace qm
