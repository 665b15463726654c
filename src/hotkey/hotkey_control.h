#pragma once
// HotKey: a text field in which the user presses a key combination. It shows the
// combination in words, registers it system-wide on a hidden window of its own,
// raises HotKeyPressed when it fires, and saves and loads it.
//
// It owns three windows, all one way: its own, the text box on it, and the hidden
// top-level message window that holds the registration (and a tooltip, when it has a
// text). The control makes them in Create and destroys them itself, in reverse order,
// hooks removed first. A host that destroys its window first takes the first two along;
// their WM_NCDESTROY lets go of the handle here, so nothing is destroyed twice, and the
// registration stays until the control goes.
#include "hotkey/hotkey_capture.h"
#include "hotkey/hotkey_field_subclass.h"
#include "platform/unique_handle.h"
#include "platform/window_base.h"

#include <windows.h>

#include <functional>
#include <string>

namespace qm {

struct HotKeyOptions {
    std::string name = "HotKey1";     // the control's name on its window: key prefix in the store
    COLORREF back_color = 0x80000005; // high bit set = system colour index (window background)
    COLORREF fore_color = 0x80000008; // window text
    bool enabled = true;
    HFONT font = nullptr; // not owned; nullptr = the control's own Arial 9 pt
    int border_style = 1; // 0 none, 1 fixed single
    int appearance = 1;   // 0 flat, 1 3D
    std::string tool_tip_text;
    std::string ini_file_name = "set.ini";
    int setting_location = 0; // 0 = set.ini, other = per-user registry store
    std::string reg_key_name = "hotkey";
};

class HotKey final : private WindowBase, private HotKeyWindowEvents {
  public:
    HotKey();
    ~HotKey() override;

    // Places the control (pixels), creates its message window and loads the stored
    // combination. False when the windows could not be created.
    bool Create(HWND parent, int x, int y, int width, int height, const HotKeyOptions& options);

    HWND hwnd() const { return WindowBase::hwnd(); }
    HWND text_box() const { return text_box_.get(); }
    HWND message_window() const { return message_window_.get(); }

    std::string Text() const { return text_; }
    int KeyCode() const { return capture_.key_code(); }
    int ModKeyCode() const { return capture_.mod_key_code(); }

    // Registers or withdraws the combination. Without a main key, or when the platform
    // refuses it, ReportError tells the host; a refused combination is cleared.
    bool HotKeyEnabled() const { return hotkey_enabled_; }
    void SetHotKeyEnabled(bool enabled);

    void SaveSettings();
    void RaiseEvents();

    const std::string& Name() const { return options_.name; }
    // Where the combination is kept. These are design-time properties, fixed by the
    // options given to Create: setting one at run time fails, changes nothing and
    // returns false.
    const std::string& INIFileName() const { return options_.ini_file_name; }
    int SettingLocation() const { return options_.setting_location; }
    const std::string& RegKeyName() const { return options_.reg_key_name; }
    bool SetINIFileName(const std::string& file_name);
    bool SetSettingLocation(int location);
    bool SetRegKeyName(const std::string& key_name);

    // Appearance of the text box. Colours with the high bit set name system colours.
    COLORREF BackColor() const { return options_.back_color; }
    void SetBackColor(COLORREF color);
    COLORREF ForeColor() const { return options_.fore_color; }
    void SetForeColor(COLORREF color);
    bool Enabled() const { return options_.enabled; }
    void SetEnabled(bool enabled);
    HFONT Font() const;
    void SetFont(HFONT font); // not owned; nullptr = Arial 9 pt
    int BorderStyle() const { return options_.border_style; }
    bool SetBorderStyle(int style); // false for a value other than 0 or 1
    int Appearance() const { return options_.appearance; }
    bool SetAppearance(int appearance); // false for a value other than 0 or 1
    const std::string& ToolTipText() const { return options_.tool_tip_text; }
    void SetToolTipText(const std::string& text);

    std::function<void()> HotKeyPressed, Click, DblClick;
    // KeyDown comes before the field takes the key, and a handler may change both
    // values; KeyUp comes after. The Applications key raises no KeyDown.
    std::function<void(int& /*key_code*/, int& /*shift*/)> KeyDown, KeyUp;
    // x, y in the text box's client pixels.
    std::function<void(int button, int shift, float x, float y)> MouseDown, MouseMove, MouseUp;
    // Why a combination could not be switched on. By default a message box captioned
    // "error", owned by the host's top-level window; a host may show it its own way.
    std::function<void(const char* message)> ReportError;
    // Asked before the combination is switched on when a keyboard layout of this PC
    // types a character with it (AltGr is Ctrl + Alt to a hotkey): the question names
    // both. False keeps the hotkey off, as a refused combination. Unset, no one is asked.
    std::function<bool(const std::u16string& question)> ConfirmCharacterTaken;

    // What the combination takes from a layout of this PC while it is on, in words, or
    // empty when it takes nothing.
    std::u16string CharacterTakenNotice() const;

  private:
    // Identifiers need only be unique per window, and each control has a window of its own.
    static constexpr int kHotKeyId = 1;
    void OnSize(UINT state, int width, int height) override;
    void OnSetFocus() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, int type) override;

    void OnHotKeyMessage() override;
    void OnHotKeyTimer() override;
    void OnTextBoxKeyDown(int key_code, int shift_mask) override;
    void OnTextBoxKeyUp(int key_code, int shift_mask) override;
    void OnTextBoxMouse(TextBoxMouse action, int button, int shift_mask, int x, int y) override;
    void OnTextBoxFocus(bool gained) override;
    void OnWindowDestroyed(HWND window) override;

    bool CreateTextBox();
    void LoadSettings();
    void SetFieldText(const std::string& text);
    void MoveCaretToEnd();
    void ShowError(const char* message);
    bool UserAcceptsCharacterTaken();
    void ClearCombination();
    std::u16string CombinationText() const;
    bool Register();
    // While a hotkey field has the focus (see OnTextBoxFocus).
    void SuspendRegistration();
    void ResumeRegistration();
    void DestroyWindows();
    void EndPendingPress();

    // Appearance (hotkey_appearance.cpp).
    void ApplyAppearance();
    void ApplyBorder();
    void UpdateBackBrush();

    HotKeyOptions options_;
    HotKeyCapture capture_;
    std::string text_ = "NULL";
    bool hotkey_enabled_ = false;
    bool suspended_ = false;
    bool created_ = false;
    bool left_button_down_ = false;
    // Pressed, and its main key not yet seen up: a further WM_HOTKEY is auto-repeat.
    bool press_pending_ = false;

    UniqueHwnd text_box_; // a child of hwnd()
    UniqueHwnd message_window_;
    UniqueHwnd tool_tip_; // unowned: it lives exactly as long as this control keeps it
    UniqueHfont own_font_;
    UniqueHbrush own_back_brush_;
    HBRUSH back_brush_ = nullptr; // own_back_brush_ or a system colour brush
};

} // namespace qm
