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

class TrayMenu final : private WindowBase {
  public:
    explicit TrayMenu(TrayMenuActions actions);
    ~TrayMenu() override;

    // Opens the menu at the mouse pointer and runs the chosen command before it returns.
    // The holder window and the menu are made on first use.
    void Popup();

    using WindowBase::hwnd;

  private:
    bool EnsureCreated();
    void Run(UINT command);

    TrayMenuActions actions_;
    UniqueHmenu menu_;
    bool open_ = false;
};

} // namespace qm
