#include "settings_window/settings_window.h"

#include "auto_start/auto_start.h"
#include "platform/dialog_keys.h"
#include "platform/shell_open.h"
#include "platform/text_codec.h"
#include "resources/resource_ids.h"
#include "search/engine_catalogue.h"
#include "settings/engine_store.h"
#include "settings_window/engines_dialog.h"
#include "single_instance/single_instance.h"
#include "support/utf.h"
#include "update/maker_sites.h"
#include "update/update_check.h"

namespace qm {

namespace L = settings_window_layout;

SettingsWindow::SettingsWindow()
    : tray_menu_(TrayMenuActions{[this] { ShowSettings(); }, [this] { ExitFromTray(); }},
                 TrayMenuLinks{sites::kDownloadPage, sites::kMainRoot, sites::kSecondRoot}) {}

SettingsWindow::~SettingsWindow() {
    DestroyWindowObject();
}

void SettingsWindow::ShowSettings() {
    ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

HotKey& SettingsWindow::HotkeyOf(CheckBox effective_box) {
    return effective_box == L::kDirectEffective ? direct_hotkey_ : panel_hotkey_;
}

void SettingsWindow::SwitchHotkey(CheckBox which) {
    HotKey& hotkey = HotkeyOf(which);
    hotkey.SetHotKeyEnabled(CheckState(which) != 0);
    SetCheckState(which, hotkey.HotKeyEnabled() ? 1 : 0);
}

void SettingsWindow::OnEngineChosen() {
    HWND engine_box = GetDlgItem(hwnd(), L::kIdEngineBox);
    int index = static_cast<int>(SendMessageW(engine_box, CB_GETCURSEL, 0, 0));
    const int built_in = static_cast<int>(DefaultEngines().size());
    if (index >= 0 && index < built_in)
        default_engine_template_ = DefaultEngines()[index].url_template;
    else if (index >= built_in && index - built_in < static_cast<int>(own_engines_.size()))
        default_engine_template_ = Utf16ToUtf8(own_engines_[index - built_in].url_template);
}

void SettingsWindow::OnEnginesClicked() {
    EngineSection read = LoadOwnEngines();
    std::optional<std::vector<OwnEngine>> edited = EditOwnEngines(hwnd(), read);
    if (!edited)
        return;
    if (!SaveOwnEngines(read, *edited))
        MessageBoxA(hwnd(),
                    "The engines could not be written to set.ini; they apply until Quenmark "
                    "Search ends.",
                    "Engines", MB_OK | MB_ICONWARNING);
    ApplyOwnEngines(*edited);
}

void SettingsWindow::ApplyOwnEngines(const std::vector<OwnEngine>& engines) {
    HWND engine_box = GetDlgItem(hwnd(), L::kIdEngineBox);
    const int built_in = static_cast<int>(DefaultEngines().size());
    // An engine of the user's that is the default stays so, found by its name.
    int chosen = static_cast<int>(SendMessageW(engine_box, CB_GETCURSEL, 0, 0)) - built_in;
    std::u16string chosen_caption = chosen >= 0 && chosen < static_cast<int>(own_engines_.size())
                                        ? own_engines_[chosen].caption
                                        : u"";
    own_engines_ = engines;
    own_engines_read_ = true;
    panel_.SetOwnEngines(own_engines_);
    while (SendMessageW(engine_box, CB_GETCOUNT, 0, 0) > built_in)
        SendMessageW(engine_box, CB_DELETESTRING, built_in, 0);
    int select = chosen_caption.empty() ? -1 : 0; // 0: "Google" when it is gone
    for (size_t i = 0; i < own_engines_.size(); ++i) {
        SendMessageW(engine_box, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(ToWide(own_engines_[i].caption).c_str()));
        if (select == 0 && own_engines_[i].caption == chosen_caption)
            select = built_in + static_cast<int>(i);
    }
    if (select >= 0) {
        SendMessageW(engine_box, CB_SETCURSEL, select, 0);
        OnEngineChosen();
    }
}

void SettingsWindow::OnAutoStartClicked() {
    const int asked = CheckState(L::kAutoStart);
    SetCheckState(L::kAutoStart, AutoStartBoxAfterClick(asked));
    // The box stays clear there; without a word it would look broken.
    if (asked == 1 && InAnotherUsersProfile())
        MessageBoxW(hwnd(),
                    L"This copy of Quenmark Search lies in another user's profile folder, where "
                    L"that user could replace it, so it does not start with Windows for you. "
                    L"Copy it to a folder of your own to use \"Auto start\".",
                    L"Auto start", MB_OK | MB_ICONINFORMATION);
}

void SettingsWindow::OnUpdateTimer() {
    KillTimer(hwnd(), L::kUpdateTimer); // also while the check waits
    // Started at logon, the check may come before the network: then once more, later.
    if (CheckState(L::kUpdateTips) == 1 && RunUpdateCheck(hwnd()) == UpdateCheck::TryAgainLater)
        SetTimer(hwnd(), L::kUpdateTimer, kUpdateRetryDelayMs, nullptr);
}

WaitableTimer& SettingsWindow::WaitObject() {
    if (!wait_object_)
        wait_object_ = std::make_unique<WaitableTimer>();
    return *wait_object_;
}

void SettingsWindow::OnCommand(int id, int code, HWND) {
    // A click takes a grey box to clear; from then on it is a plain box.
    if (auto box = CheckBoxWithId(id); box && code == BN_CLICKED)
        SetCheckState(*box, CheckState(*box));
    switch (id) {
    case L::kIdEngineBox:
        if (code == CBN_SELCHANGE)
            OnEngineChosen();
        else if (code == CBN_SETFOCUS || code == CBN_DROPDOWN)
            ReadOwnEnginesOnce(); // before its list is shown or its arrows step through it
        break;
    case L::kIdAutoStart:
        if (code == BN_CLICKED)
            OnAutoStartClicked();
        break;
    case L::kIdEngines:
        if (code == BN_CLICKED)
            OnEnginesClicked();
        break;
    case L::kIdLogo:
        if (code == STN_CLICKED)
            ShellOpenUrl(hwnd(), sites::kSecondRoot);
        break;
    case L::kIdFaqLink:
        if (code == STN_CLICKED)
            ShellOpenUrl(hwnd(), sites::kFaqPage);
        break;
    default:
        break;
    }
}

bool SettingsWindow::OnSetCursor(HWND over) {
    if (!over || over != GetDlgItem(hwnd(), L::kIdLogo))
        return false;
    // Made when the pointer first comes onto the logo, the only place that shows them:
    // the tip follows the pointer's next moves there.
    if (!logo_tooltip_made_) {
        logo_tooltip_made_ = true;
        CreateLogoTooltip();
        logo_cursor_ = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_POINTER));
    }
    if (!logo_cursor_)
        return false;
    SetCursor(logo_cursor_);
    return true;
}

void SettingsWindow::OnSize(UINT state, int, int) {
    if (state == SIZE_MINIMIZED)
        ShowWindow(hwnd(), SW_HIDE); // only the tray icon is left
}

void SettingsWindow::OnTimer(UINT_PTR id) {
    if (id == L::kUpdateTimer)
        OnUpdateTimer();
}

void SettingsWindow::OnClose() {
    EndProgram();
}

void SettingsWindow::OnDestroy() {
    RemoveDialogKeys(hwnd());
}

void SettingsWindow::OnEndSession(bool ending) {
    if (ending)
        EndProgram(false);
}

LRESULT SettingsWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kAfterShownMessage) {
        AfterShown();
        return 0;
    }
    if (message == ShowSettingsMessage()) {
        ShowSettings();
        return 0;
    }
    return WindowBase::OnMessage(message, wparam, lparam);
}

} // namespace qm
