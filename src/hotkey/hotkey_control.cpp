#include "hotkey/hotkey_control.h"

#include "settings/settings_file.h"
#include "hotkey/hotkey_store.h"
#include "hotkey/hotkey_text.h"
#include "platform/keyboard.h"
#include "platform/text_codec.h"

#include <algorithm>
#include <vector>

namespace qm {

namespace {
// Every loaded control: while any field has the focus, all of them withdraw their
// registrations, so that the field takes any combination, the others' included.
std::vector<HotKey*> g_loaded_controls;

// Identifiers need only be unique per window, and each control has a window of its own.
constexpr int kTextBoxId = 1;
constexpr char kClassName[] = "QuenmarkHotKey";

void ShowErrorBox(HWND control, const char* message) {
    HWND owner = control ? GetAncestor(control, GA_ROOT) : nullptr;
    MessageBoxA(owner, message, "error", MB_ICONERROR | MB_OK);
}
} // namespace

HotKey::HotKey() : ReportError([this](const char* message) { ShowErrorBox(hwnd(), message); }) {}

HotKey::~HotKey() {
    DestroyWindows();
}

bool HotKey::Create(HWND parent, int x, int y, int width, int height,
                    const HotKeyOptions& options) {
    if (created_ || hwnd())
        return false;
    options_ = options;
    if (!CreateWindowObject(kClassName, WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, options_.name.c_str(), x, y,
                            width, height, parent) ||
        !CreateTextBox()) {
        DestroyWindows();
        return false;
    }
    ApplyAppearance();
    // Message-only, so that the registration does not depend on the host window; such a
    // window also costs less than a hidden top-level one, and hears no broadcasts.
    message_window_.reset(CreateWindowExA(0, "#32770", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          GetModuleHandleA(nullptr), nullptr));
    if (!message_window_) {
        DestroyWindows();
        return false;
    }
    HookHotKeyWindow(message_window_.get(), this);
    HookTextBox(text_box_.get(), this);
    created_ = true;
    g_loaded_controls.push_back(this);
    LoadSettings();
    return true;
}

bool HotKey::CreateTextBox() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    text_box_.reset(CreateWindowExA(0, "EDIT", text_.c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                                    0, 0, client.right, client.bottom, hwnd(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextBoxId)),
                                    GetModuleHandleA(nullptr), nullptr));
    return static_cast<bool>(text_box_);
}

void HotKey::DestroyWindows() {
    EndPendingPress();
    g_loaded_controls.erase(std::remove(g_loaded_controls.begin(), g_loaded_controls.end(), this),
                            g_loaded_controls.end());
    if (message_window_) {
        // The registration is this control's resource: withdrawn before its window goes.
        if (hotkey_enabled_)
            UnregisterHotKey(message_window_.get(), kHotKeyId);
        UnhookHotKeyWindow(message_window_.get());
    }
    hotkey_enabled_ = false;
    if (text_box_)
        UnhookTextBox(text_box_.get());
    message_window_.reset();
    tool_tip_.reset();
    text_box_.reset();
    DestroyWindowObject();
    created_ = false;
    suspended_ = false;
}

void HotKey::LoadSettings() {
    StoredHotKey stored;
    if (options_.setting_location != 0) {
        stored = LoadHotKeyFromRegistry(options_.reg_key_name, options_.name);
    } else {
        SetIniFile(options_.ini_file_name);
        stored = LoadHotKeyFromIni(options_.name);
    }
    capture_.Set(stored.key_code, stored.mod_key_code);
    SetFieldText(stored.text);
}

void HotKey::SaveSettings() {
    if (!created_)
        return;
    StoredHotKey hotkey{text_, KeyCode(), ModKeyCode()};
    if (options_.setting_location != 0)
        SaveHotKeyToRegistry(options_.reg_key_name, options_.name, hotkey);
    else
        SaveHotKeyToIni(options_.name, hotkey);
}

bool HotKey::SetINIFileName(const std::string&) {
    return false;
}
bool HotKey::SetSettingLocation(int) {
    return false;
}
bool HotKey::SetRegKeyName(const std::string&) {
    return false;
}

void HotKey::OnTextBoxFocus(bool gained) {
    for (HotKey* control : g_loaded_controls) {
        if (gained)
            control->SuspendRegistration();
        else
            control->ResumeRegistration();
    }
}

void HotKey::ShowError(const char* message) {
    // A copy, so that a handler may replace itself.
    if (auto report = ReportError)
        report(message);
}

void HotKey::OnTextBoxKeyDown(int key_code, int shift_mask) {
    // The Applications key would open the context menu; it is swallowed whole.
    if (key_code == kVkApps)
        return;
    if (auto handler = KeyDown)
        handler(key_code, shift_mask);
    std::string text = capture_.KeyDown(key_code, shift_mask, KeyNameOf);
    // Editing a combination always leaves it unregistered until the container enables it.
    if (hotkey_enabled_)
        SetHotKeyEnabled(false);
    SetFieldText(text);
}

void HotKey::OnTextBoxKeyUp(int key_code, int shift_mask) {
    if (capture_.KeyUp(key_code))
        SetFieldText(kNoHotkeyText);
    else
        MoveCaretToEnd();
    if (auto handler = KeyUp)
        handler(key_code, shift_mask);
}

void HotKey::OnTextBoxMouse(TextBoxMouse action, int button, int shift_mask, int x, int y) {
    auto raise = [&](const std::function<void(int, int, float, float)>& event) {
        if (auto handler = event)
            handler(button, shift_mask, static_cast<float>(x), static_cast<float>(y));
    };
    switch (action) {
    case TextBoxMouse::Down:
        left_button_down_ = left_button_down_ || button == 1;
        raise(MouseDown);
        break;
    case TextBoxMouse::Move:
        raise(MouseMove);
        break;
    case TextBoxMouse::Up:
        raise(MouseUp);
        if (button == 1 && left_button_down_) {
            left_button_down_ = false;
            if (auto handler = Click)
                handler();
        }
        break;
    case TextBoxMouse::DoubleClick:
        // The second press of a double-click is no new click.
        left_button_down_ = false;
        if (auto handler = DblClick)
            handler();
        break;
    }
}

void HotKey::OnWindowDestroyed(HWND window) {
    if (window == text_box_.get())
        text_box_.release();
    else if (window == message_window_.get())
        message_window_.release();
}

void HotKey::SetFieldText(const std::string& text) {
    text_ = text;
    if (!text_box_)
        return;
    SetWindowTextA(text_box_.get(), text_.c_str());
    MoveCaretToEnd();
}

void HotKey::MoveCaretToEnd() {
    if (!text_box_)
        return;
    int length = GetWindowTextLengthA(text_box_.get());
    SendMessageA(text_box_.get(), EM_SETSEL, length, length);
}

void HotKey::OnSize(UINT, int width, int height) {
    // The text box always covers the whole control.
    if (text_box_)
        MoveWindow(text_box_.get(), 0, 0, width, height, TRUE);
}

void HotKey::OnSetFocus() {
    if (text_box_)
        SetFocus(text_box_.get());
}

} // namespace qm
