#include "tray/tray_menu.h"

#include "controller/maker_sites.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace qm {
namespace {

constexpr UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU

HWND FindOpenMenu() {
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

std::vector<std::string> Captions(HMENU menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)
            captions.push_back("-");
        else if (GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION) >= 0)
            captions.push_back(text);
    }
    return captions;
}

// Opens the menu and, from another thread, reads it and presses the keys.
std::vector<std::string> PopupAndPress(TrayMenu& menu, std::vector<WPARAM> keys) {
    std::vector<std::string> captions;
    std::thread user([&] {
        HWND open = FindOpenMenu();
        if (!open)
            return;
        captions = Captions(reinterpret_cast<HMENU>(SendMessageA(open, kGetMenuHandle, 0, 0)));
        for (WPARAM key : keys) {
            PostMessageA(open, WM_KEYDOWN, key, 0);
            PostMessageA(open, WM_KEYUP, key, 0);
        }
    });
    menu.Popup();
    user.join();
    return captions;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(TrayMenu, ItemsInOrderAndWhatEachDoes) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "qm-tray-menu-browser.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("QM_BROWSER_LOG", log.c_str());

    int settings = 0;
    int exits = 0;
    TrayMenu menu({[&] { ++settings; }, [&] { ++exits; }});
    EXPECT_EQ(menu.hwnd(), nullptr) << "the holder is made on first use";

    struct Row {
        int downs; // 0: dismissed with Escape
        int settings;
        int exits;
        const char* url;
    };
    const Row rows[] = {
        {0, 0, 0, nullptr},
        {1, 1, 0, nullptr},
        {2, 0, 0, sites::kDownloadPage},
        {3, 0, 0, sites::kMainRoot}, // the separator is skipped
        {4, 0, 0, sites::kSecondRoot},
        {5, 0, 1, nullptr},
    };
    std::string expected_log;
    for (const Row& row : rows) {
        settings = exits = 0;
        std::vector<WPARAM> keys(row.downs, VK_DOWN);
        keys.push_back(row.downs ? VK_RETURN : VK_ESCAPE);
        std::vector<std::string> captions = PopupAndPress(menu, keys);
        const std::vector<std::string> expected = {"Setting",  "Browse Home", "-",
                                                   "Quenmark", "Lindhollow",  "exit"};
        EXPECT_EQ(captions, expected) << row.downs;
        EXPECT_EQ(settings, row.settings) << row.downs;
        EXPECT_EQ(exits, row.exits) << row.downs;
        if (row.url) {
            expected_log += std::string(row.url) + "\n";
            for (int i = 0; i < 200 && ReadAll(log) != expected_log; ++i)
                Sleep(50);
        }
        EXPECT_EQ(ReadAll(log), expected_log) << row.downs;
    }
    char caption[16] = {};
    GetWindowTextA(menu.hwnd(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Form1");
    EXPECT_FALSE(IsWindowVisible(menu.hwnd()));
    DeleteFileA(log.c_str());
}

} // namespace
} // namespace qm
