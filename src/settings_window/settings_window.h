#pragma once
// The settings window, the program's first window and its hub. It hosts
// both hotkey controls, the tray icon, the update-check timer, and carries out
// the two hotkey actions.
#include "settings_window/settings_window_layout.h"
#include "capture/selection_search.h"
#include "hotkey/hotkey_control.h"
#include "platform/unique_handle.h"
#include "platform/window_base.h"
#include "search_panel/panel_window.h"
#include "search/own_engine.h"
#include "support/waitable_timer.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qm {

class SettingsWindow final : public WindowBase {
  public:
    static constexpr const char* kClassName = "QuenmarkSearchSettings";

    SettingsWindow();
    ~SettingsWindow() override;
    // Creates the window and its controls, runs the start-up sequence and shows it.
    bool Load();

    // Both hotkeys' combinations, then the check boxes' states, in one write of set.ini:
    // 0, or the system's error code when it could not be written.
    unsigned long SaveSettings();

  private:
    using CheckBox = settings_window_layout::CheckBox;
    // Posted once the window is up: what the window does not need waits until then.
    static constexpr UINT kAfterShownMessage = WM_APP;

    // Typed handlers.
    void OnCommand(int id, int code, HWND control) override;
    void OnPaint(HDC dc) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnSetCursor(HWND over) override;
    void OnSize(UINT state, int width, int height) override;
    void OnTimer(UINT_PTR id) override;
    void OnClose() override;
    void OnDestroy() override;
    void OnEndSession(bool ending) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    // Creation (settings_window_controls.cpp).
    void CreateControls();
    void CreateCheckBox(CheckBox which);
    void CreateHotkeyRows();
    void CreateLogoTooltip();

    void StartUp();
    // After the window is shown: the tray icon, then the notice of a stored hotkey that
    // takes a character from a keyboard layout.
    void AfterShown();
    // At the first need (the engine box or the panel); the Engines dialog replaces them.
    void ReadOwnEnginesOnce();
    // can_ask: a failed save is told, and tried again at the user's word.
    void EndProgram(bool can_ask = true);
    bool AskToSaveAgain(unsigned long error);
    void ExitFromTray();
    void ShowSettings();
    void OnEngineChosen();
    void OnEnginesClicked();
    // The user's own engines, in the panel and in the engine box at once.
    void ApplyOwnEngines(const std::vector<OwnEngine>& engines);
    void OnAutoStartClicked();
    void OnUpdateTimer();
    void SwitchHotkey(CheckBox which);
    HotKey& HotkeyOf(CheckBox effective_box);
    WaitableTimer& WaitObject();
    static LRESULT CALLBACK EffectiveBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                             UINT_PTR which, DWORD_PTR self);

    // The check boxes' states, through the table in settings_window_layout.h.
    HWND BoxWindow(CheckBox which) const;
    int CheckState(CheckBox which) const;
    void SetCheckState(CheckBox which, int state);
    int ReadStoredState(CheckBox which) const;
    static std::optional<CheckBox> CheckBoxWithId(int id);

    HotKey direct_hotkey_;
    HotKey panel_hotkey_;
    Tray tray_;
    TrayMenu tray_menu_;
    PanelWindow panel_;
    std::unique_ptr<WaitableTimer> wait_object_;
    std::unique_ptr<SelectionSearch> selection_search_;

    // Working values the window keeps out of sight.
    std::u16string last_direct_search_text_ = u"Text1";
    std::string default_engine_template_;
    std::vector<OwnEngine> own_engines_; // after "Google", "Bing", "Yahoo" in the engine box
    bool own_engines_read_ = false;

    UniqueHfont font_;
    UniqueHicon icon_big_, icon_small_, faq_icon_;
    UniqueHbitmap logo_;
    HCURSOR logo_cursor_ = nullptr;  // loaded from resources: shared, never destroyed
    bool logo_tooltip_made_ = false; // and the pointer loaded; the window destroys the tip
    bool ending_ = false;
};

} // namespace qm
