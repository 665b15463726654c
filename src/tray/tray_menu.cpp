#include "tray/tray_menu.h"

#include "platform/shell_open.h"

#include <utility>

namespace qm {

namespace {

constexpr char kHolderClass[] = "QuenmarkTrayMenuHolder";

enum Command : UINT {
    kSetting = 1,
    kBrowseHome,
    kQuenmark,
    kLindhollow,
    kExit,
};

struct Item {
    UINT command; // 0 for the separator
    const char* caption;
};

constexpr Item kItems[] = {
    {kSetting, "Setting"},   {kBrowseHome, "Browse Home"}, {0, nullptr},
    {kQuenmark, "Quenmark"}, {kLindhollow, "Lindhollow"},  {kExit, "exit"},
};

} // namespace

TrayMenu::TrayMenu(TrayMenuActions actions, TrayMenuLinks links)
    : actions_(std::move(actions)), links_(links) {}

TrayMenu::~TrayMenu() {
    DestroyWindowObject();
}

bool TrayMenu::EnsureCreated() {
    if (!hwnd() &&
        !CreateWindowObject(kHolderClass, WS_EX_TOOLWINDOW, WS_POPUP, "Form1", 0, 0, 0, 0, nullptr))
        return false;
    if (menu_)
        return true;
    UniqueHmenu menu(CreatePopupMenu());
    if (!menu)
        return false;
    for (const Item& item : kItems) {
        BOOL added = item.command ? AppendMenuA(menu.get(), MF_STRING, item.command, item.caption)
                                  : AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        if (!added)
            return false;
    }
    menu_ = std::move(menu);
    return true;
}

void TrayMenu::Popup() {
    // A click on the icon while the menu is open must not stack a second menu.
    if (open_ || !EnsureCreated())
        return;
    POINT at{};
    GetCursorPos(&at);
    // Without being in front, the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(hwnd());
    open_ = true;
    UINT command = TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, at.x,
                                  at.y, 0, hwnd(), nullptr);
    open_ = false;
    // Lets the menu close properly when it is opened again right away.
    PostMessageA(hwnd(), WM_NULL, 0, 0);
    Run(command);
}

void TrayMenu::Run(UINT command) {
    switch (command) {
    case kSetting: {
        auto setting = actions_.setting;
        if (setting)
            setting();
        break;
    }
    case kBrowseHome:
        Open(links_.browse_home);
        break;
    case kQuenmark:
        Open(links_.quenmark);
        break;
    case kLindhollow:
        Open(links_.lindhollow);
        break;
    case kExit: {
        // Exit may destroy this object: run a copy and touch nothing afterwards.
        auto exit = actions_.exit;
        if (exit)
            exit();
        break;
    }
    default:
        break; // dismissed
    }
}

void TrayMenu::Open(const char* url) {
    if (url)
        ShellOpenUrl(hwnd(), url);
}

} // namespace qm
