#pragma once
// frmSet: the settings window, the program's first window and its hub. It hosts
// both hotkey controls, the tray icon, the update-check timer, and carries out
// the two hotkey actions.
#include "controller/selection_search.h"
#include "hotkey/hotkey_control.h"
#include "platform/unique_handle.h"
#include "platform/window_base.h"
#include "search_panel/find2.h"
#include "support/waitable_timer.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"

#include <array>
#include <memory>
#include <string>

namespace qm {

class FrmSet final : public WindowBase {
  public:
    static constexpr const char* kClassName = "QuenmarkSearchSettings";

    FrmSet();
    ~FrmSet() override;
    // Creates the window and its controls, runs the start-up sequence and shows it.
    bool Load();

    // Save: both hotkeys' SaveSettings, then the check-box keys.
    void cmdCommand1_Click();

  private:
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

    void CreateControls();
    void CreateTooltip();
    void FormLoad();
    void Unload();
    void ExitFromTray();
    void ShowSettings();
    void SwitchHotKey(HotKey& hotkey, HWND box);
    void Combo1_Click();
    void Check1_Click();
    void Timer1_Timer();
    int CheckState(HWND box) const;
    std::array<HWND, 5> CheckBoxes() const;
    bool IsCheckBox(HWND control) const;
    void SetCheckState(HWND box, int state);
    int ReadCheck(const char* section, const char* key, HWND box);
    clsWaitableTimer& WaitObject();
    static LRESULT CALLBACK EffectiveBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                             UINT_PTR id, DWORD_PTR self);

    HotKey HotKey1_;
    HotKey HotKey2_;
    Tray Tray_;
    TrayMenu cd_;
    Find2 find2_;
    std::unique_ptr<clsWaitableTimer> wait_object_;
    std::unique_ptr<SelectionSearch> selection_search_;

    HWND Image1_ = nullptr, Label1_ = nullptr, chkCheck1_ = nullptr, Combo1_ = nullptr;
    HWND Label2_ = nullptr, chkCheck2_ = nullptr, Check3_ = nullptr, Check1_ = nullptr;
    HWND Check2_ = nullptr, Image2_ = nullptr, tooltip_ = nullptr;

    // Working values the window keeps out of sight.
    std::u16string Text1_ = u"Text1";
    std::string Text4_;

    UniqueHfont font_;
    UniqueHicon icon_big_, icon_small_, link_icon_;
    UniqueHbitmap logo_;
    HCURSOR image1_cursor_ = nullptr; // loaded from resources: shared, never destroyed
    bool unloading_ = false;
};

} // namespace qm
