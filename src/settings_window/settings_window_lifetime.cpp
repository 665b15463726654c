// The settings window's start-up, Save and closing sequences.
#include "settings_window/settings_window.h"

#include "auto_start/auto_start.h"
#include "platform/copy_keystroke.h"
#include "platform/dialog_keys.h"
#include "platform/dpi.h"
#include "platform/startup_trace.h"
#include "platform/text_codec.h"
#include "resources/resource_ids.h"
#include "search/engine_catalogue.h"
#include "settings/engine_store.h"
#include "settings/ini_value.h"
#include "settings/settings_file.h"

namespace qm {

namespace L = settings_window_layout;

namespace {
constexpr char16_t kSelectionOutOfReach[] =
    u"Quenmark Search cannot read the selection of a window run as administrator.";
} // namespace

bool SettingsWindow::Load() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    icon_big_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUENMARK),
                                                  IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                  GetSystemMetrics(SM_CYICON), 0)));
    icon_small_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUENMARK),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0)));
    // A fixed single border, a minimise box and no maximise box: the layout is fixed.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame = PixelRect({0, 0, L::kClientWidth, L::kClientHeight});
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!CreateWindowObject(kClassName, 0, style, "Quenmark Search   1.0", x, y, width, height,
                            nullptr, icon_big_.get(), icon_small_.get()))
        return false;
    AddDialogKeys(hwnd());
    TraceMark("window created");

    // The controls load first: the hotkey fields read their stored combinations
    // and so fix set.ini's path before the window reads its own settings. The file is
    // read once for all of them.
    IniReadBatch reads;
    CreateControls();
    TraceMark("controls");
    tray_.PopupMenu = [this] { tray_menu_.Popup(); };
    tray_.IconClick = [this] { tray_menu_.Popup(); };
    direct_hotkey_.HotKeyPressed = [this] {
        if (auto text =
                selection_search_->DirectSearch(default_engine_template_, direct_hotkey_.KeyCode()))
            last_direct_search_text_ = *text;
    };
    panel_hotkey_.HotKeyPressed = [this] {
        TraceMark("panel hotkey");
        ReadOwnEnginesOnce(); // a press before the panel is made: it lists them
        selection_search_->PanelSearch(panel_hotkey_.KeyCode());
    };
    selection_search_ = std::make_unique<SelectionSearch>(
        hwnd(), panel_, [this](int milliseconds, const std::function<bool()>& done) {
            WaitObject().Wait(milliseconds, done);
        });
    // The press would otherwise seem to do nothing, or search for nothing.
    selection_search_->SelectionOutOfReach = [this] {
        tray_.ShowBubble(u"", kSelectionOutOfReach, NIIF_INFO);
    };
    SetTimer(hwnd(), L::kUpdateTimer, L::kUpdateTimerDelay, nullptr);

    StartUp();
    TraceMark("settings read");
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
    TraceMark("window shown");
    PostMessageA(hwnd(), kAfterShownMessage, 0, 0);
    return true;
}

void SettingsWindow::StartUp() {
    default_engine_template_ = DefaultEngines()[0].url_template;
    for (size_t i = 0; i < L::kCheckBoxCount; ++i) {
        auto which = static_cast<CheckBox>(i);
        if (L::kCheckBoxes[which].key)
            SetCheckState(which, ReadStoredState(which));
    }

    // A stored hotkey is switched on as stored, even when a keyboard layout installed
    // since types a character with it: the tray icon says so once (AfterShown).
    for (CheckBox effective : {L::kDirectEffective, L::kPanelEffective}) {
        HotKey& hotkey = HotkeyOf(effective);
        hotkey.SetHotKeyEnabled(CheckState(effective) != 0);
        SetCheckState(effective, hotkey.HotKeyEnabled() ? 1 : 0);
    }
    // From now on it is the user who switches a hotkey on: ask first.
    for (HotKey* hotkey : {&direct_hotkey_, &panel_hotkey_})
        hotkey->ConfirmCharacterTaken = [this](const std::u16string& question) {
            return MessageBoxW(hwnd(), ToWide(question).c_str(), L"Quenmark Search",
                               MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
        };

    panel_.search_then_close_state = [this] { return CheckState(L::kSearchThenClose); };

    // The box starts ticked; a start without an entry clears it, and clearing
    // it is the box's click, which removes the entry.
    if (!IsAutoStartSet()) {
        SetCheckState(L::kAutoStart, 0);
        OnAutoStartClicked();
    }
}

void SettingsWindow::AfterShown() {
    tray_.Create(icon_small_.get());
    tray_.Show();
    TraceMark("tray icon");
    std::u16string characters_taken;
    for (const HotKey* hotkey : {&direct_hotkey_, &panel_hotkey_})
        if (std::u16string notice = hotkey->HotKeyEnabled() ? hotkey->CharacterTakenNotice() : u"";
            !notice.empty())
            characters_taken += (characters_taken.empty() ? u"" : u"\n") + notice;
    TraceMark("altgr check");
    if (!characters_taken.empty())
        tray_.ShowBubble(u"", characters_taken, NIIF_WARNING | NIIF_NOSOUND);
    // Made now, not at the first press, where its making would add to the wait. It lists
    // the user's engines, so they are read first.
    ReadOwnEnginesOnce();
    panel_.Create();
}

void SettingsWindow::ReadOwnEnginesOnce() {
    if (own_engines_read_)
        return;
    own_engines_read_ = true;
    if (EngineSection own = LoadOwnEngines(); !own.engines.empty())
        ApplyOwnEngines(own.engines);
    TraceMark("engines read");
}

int SettingsWindow::ReadStoredState(CheckBox which) const {
    const L::CheckBoxRow& row = L::kCheckBoxes[which];
    int current = CheckState(which);
    int value = ParseIniInt(ReadIniString(row.section, row.key, std::to_string(current)), current);
    // A box holds 0, 1 or 2; anything else in the file keeps the box as it is.
    return value >= 0 && value <= 2 ? value : current;
}

unsigned long SettingsWindow::SaveSettings() {
    BeginIniSave();
    direct_hotkey_.SaveSettings();
    panel_hotkey_.SaveSettings();
    for (size_t i = 0; i < L::kCheckBoxCount; ++i) {
        auto which = static_cast<CheckBox>(i);
        const L::CheckBoxRow& row = L::kCheckBoxes[which];
        if (row.key)
            WriteIniString(row.section, row.key, std::to_string(CheckState(which)));
    }
    return EndIniSave();
}

bool SettingsWindow::AskToSaveAgain(unsigned long error) {
    wchar_t reason[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   reason, 512, nullptr);
    const std::wstring text = L"The settings could not be saved to\n" + IniPath() + L"\n\n" +
                              reason +
                              L"\nRetry saves them again; Cancel ends Quenmark Search without "
                              L"saving them. The file stays as it was.";
    return MessageBoxW(hwnd(), text.c_str(), L"Quenmark Search",
                       MB_RETRYCANCEL | MB_ICONWARNING | MB_SETFOREGROUND) == IDRETRY;
}

void SettingsWindow::EndProgram(bool can_ask) {
    if (ending_)
        return;
    ending_ = true;
    // Inside a capture's wait: keys it pressed again are let go of as they would be after it.
    EndModifierWatch();
    // At the end of the session nobody can answer: a save that fails leaves the file
    // as it was, and the program ends in the time Windows gives it.
    for (unsigned long error = SaveSettings(); error && can_ask && AskToSaveAgain(error);
         error = SaveSettings()) {
    }
    tray_.Hide();
    // Nothing of the program runs after this: an action still waiting inside a
    // hotkey handler must not carry on against destroyed windows. Not ExitProcess: it
    // runs the DLLs' detach code, which can wait on a lock that a worker thread (a
    // fetch of up to a minute, a browser launch) held when it was stopped, and so hold
    // up the exit or the log-off. Everything worth keeping is written by now.
    TerminateProcess(GetCurrentProcess(), 0);
}

void SettingsWindow::ExitFromTray() {
    // The icon goes first, so it does not linger while the settings are written.
    tray_.Hide();
    EndProgram();
}

} // namespace qm
