#pragma once
// The tray icon's popup menu and the hidden window "cd" that holds it.
#include "platform/unique_handle.h"
#include "platform/window_base.h"

#include <windows.h>

#include <functional>

namespace qm {

struct TrayMenuActions {
    std::function<void()> setting; // bring the settings window back
    std::function<void()> exit;    // end the program
};

// The pages the three link items open: the owner knows the maker's sites.
struct TrayMenuLinks {
    const char* browse_home = nullptr; // "Browse Home"
    const char* quenmark = nullptr;    // "Quenmark"
    const char* lindhollow = nullptr;  // "Lindhollow"
};

class TrayMenu final : private WindowBase {
  public:
    TrayMenu(TrayMenuActions actions, TrayMenuLinks links);
    ~TrayMenu() override;

    // Opens the menu at the mouse pointer and runs the chosen command before it returns.
    // The holder window and the menu are made on first use.
    void Popup();

    using WindowBase::hwnd;

  private:
    bool EnsureCreated();
    void Run(UINT command);
    void Open(const char* url);

    TrayMenuActions actions_;
    TrayMenuLinks links_;
    UniqueHmenu menu_;
    bool open_ = false;
};

} // namespace qm
