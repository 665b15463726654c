#include "controller/frm_set.h"

#include "controller/auto_start.h"
#include "controller/frm_set_layout.h"
#include "controller/maker_sites.h"
#include "controller/settings/ini_value.h"
#include "controller/settings/mod_ini.h"
#include "controller/single_instance.h"
#include "controller/update_check.h"
#include "platform/dialog_keys.h"
#include "platform/dpi.h"
#include "platform/shell_open.h"
#include "resources/resource_ids.h"
#include "search_panel/engine_catalogue.h"

#include <commctrl.h>
#include <windowsx.h>

namespace qm {

namespace L = frm_set_layout;

FrmSet::FrmSet()
    : cd_(TrayMenuActions{[this] { ShowSettings(); }, [this] { ExitFromTray(); }},
          TrayMenuLinks{sites::kDownloadPage, sites::kMainRoot, sites::kSecondRoot}) {}

FrmSet::~FrmSet() {
    DestroyWindowObject();
}

bool FrmSet::Load() {
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
                            nullptr, icon_big_.get()))
        return false;
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_big_.get()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_small_.get()));
    AddDialogKeys(hwnd());

    // The controls load first: the hotkey fields read their stored combinations
    // and so fix set.ini's path before the window reads its own settings.
    CreateControls();
    Tray_.Create(icon_small_.get());
    Tray_.PopupMenu = [this] { cd_.Popup(); };
    Tray_.IconClick = [this] { cd_.Popup(); };
    HotKey1_.HotKeyPressed = [this] {
        if (auto text = selection_search_->DirectSearch(Text4_, HotKey1_.KeyCode()))
            Text1_ = *text;
    };
    HotKey2_.HotKeyPressed = [this] { selection_search_->PanelSearch(HotKey2_.KeyCode()); };
    selection_search_ = std::make_unique<SelectionSearch>(
        hwnd(), find2_, [this](int milliseconds, const std::function<bool()>& done) {
            WaitObject().Wait(milliseconds, done);
        });
    SetTimer(hwnd(), L::kTimer1, L::kTimer1Interval, nullptr);

    FormLoad();
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
    // Only a pointer resting on the logo needs it: it may wait until the window is up.
    CreateTooltip();
    return true;
}

void FrmSet::FormLoad() {
    Text4_ = DefaultEngines()[0].url_template;
    SetCheckState(chkCheck1_, ReadCheck("check", "checka", chkCheck1_));
    SetCheckState(chkCheck2_, ReadCheck("check", "checkb", chkCheck2_));
    SetCheckState(Check2_, ReadCheck("auto", "checka", Check2_));
    SetCheckState(Check3_, ReadCheck("check", "checkc", Check3_));

    HotKey1_.SetHotKeyEnabled(CheckState(chkCheck1_) != 0);
    SetCheckState(chkCheck1_, HotKey1_.HotKeyEnabled() ? 1 : 0);
    HotKey2_.SetHotKeyEnabled(CheckState(chkCheck2_) != 0);
    SetCheckState(chkCheck2_, HotKey2_.HotKeyEnabled() ? 1 : 0);

    find2_.check3_state = [this] { return CheckState(Check3_); };
    find2_.Create();
    find2_.MakeTopmost();

    Tray_.Show();

    // The box starts ticked; a start without an entry clears it, and clearing
    // it is the box's click, which removes the entry.
    if (!IsAutoStartSet()) {
        SetCheckState(Check1_, 0);
        Check1_Click();
    }
}

int FrmSet::ReadCheck(const char* section, const char* key, HWND box) {
    int current = CheckState(box);
    int value = ParseIniInt(ReadIniString(section, key, std::to_string(current)), current);
    // A box holds 0, 1 or 2; anything else in the file keeps the box as it is.
    return value >= 0 && value <= 2 ? value : current;
}

void FrmSet::cmdCommand1_Click() {
    HotKey1_.SaveSettings();
    HotKey2_.SaveSettings();
    WriteIniString("check", "checka", std::to_string(CheckState(chkCheck1_)));
    WriteIniString("check", "checkb", std::to_string(CheckState(chkCheck2_)));
    WriteIniString("check", "checkc", std::to_string(CheckState(Check3_)));
    WriteIniString("auto", "checka", std::to_string(CheckState(Check2_)));
}

void FrmSet::Unload() {
    if (unloading_)
        return;
    unloading_ = true;
    cmdCommand1_Click();
    Tray_.Hide();
    // Nothing of the program runs after this: an action still waiting inside a
    // hotkey handler must not carry on against destroyed windows.
    ExitProcess(0);
}

void FrmSet::ExitFromTray() {
    // The icon goes first, so it does not linger while the settings are written.
    Tray_.Hide();
    Unload();
}

void FrmSet::ShowSettings() {
    ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void FrmSet::SwitchHotKey(HotKey& hotkey, HWND box) {
    hotkey.SetHotKeyEnabled(CheckState(box) != 0);
    SetCheckState(box, hotkey.HotKeyEnabled() ? 1 : 0);
}

void FrmSet::Combo1_Click() {
    int index = static_cast<int>(SendMessageA(Combo1_, CB_GETCURSEL, 0, 0));
    if (index < 0)
        return;
    char caption[32] = {};
    if (SendMessageA(Combo1_, CB_GETLBTEXTLEN, index, 0) >= static_cast<LRESULT>(sizeof(caption)))
        return;
    SendMessageA(Combo1_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(caption));
    if (const char* url_template = DefaultEngineTemplate(caption))
        Text4_ = url_template;
}

void FrmSet::Check1_Click() {
    SetCheckState(Check1_, AutoStartBoxAfterClick(CheckState(Check1_)));
}

void FrmSet::Timer1_Timer() {
    KillTimer(hwnd(), L::kTimer1); // once per run, also while the check waits
    if (CheckState(Check2_) == 1)
        RunUpdateCheck(hwnd());
}

std::array<HWND, 5> FrmSet::CheckBoxes() const {
    return {chkCheck1_, chkCheck2_, Check1_, Check2_, Check3_};
}

bool FrmSet::IsCheckBox(HWND control) const {
    for (HWND box : CheckBoxes())
        if (control && control == box)
            return true;
    return false;
}

clsWaitableTimer& FrmSet::WaitObject() {
    if (!wait_object_)
        wait_object_ = std::make_unique<clsWaitableTimer>();
    return *wait_object_;
}

void FrmSet::OnCommand(int id, int code, HWND control) {
    // A click takes a grey box to clear; from then on it is a plain box.
    if (code == BN_CLICKED && IsCheckBox(control))
        SetCheckState(control, CheckState(control));
    switch (id) {
    case L::kIdCombo1:
        if (code == CBN_SELCHANGE)
            Combo1_Click();
        break;
    case L::kIdCheck1:
        if (code == BN_CLICKED)
            Check1_Click();
        break;
    case L::kIdImage1:
        if (code == STN_CLICKED)
            ShellOpenUrl(hwnd(), sites::kSecondRoot);
        break;
    case L::kIdImage2:
        if (code == STN_CLICKED)
            ShellOpenUrl(hwnd(), sites::kFaqPage);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK FrmSet::EffectiveBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR id, DWORD_PTR self_data) {
    auto* self = reinterpret_cast<FrmSet*>(self_data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(box, EffectiveBoxProc, id);
        return DefSubclassProc(box, message, wparam, lparam);
    }
    LRESULT result = DefSubclassProc(box, message, wparam, lparam);
    HotKey& hotkey = id == 1 ? self->HotKey1_ : self->HotKey2_;
    if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
        // After the click has changed the box's state.
        POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        RECT client;
        GetClientRect(box, &client);
        if (PtInRect(&client, point))
            self->SwitchHotKey(hotkey, box);
    } else if (message == WM_KEYUP && wparam == VK_SPACE) {
        // Space ticks or clears the focused box as a click does: it switches the same way.
        self->SwitchHotKey(hotkey, box);
    }
    return result;
}

bool FrmSet::OnSetCursor(HWND over) {
    if (!over || over != Image1_ || !image1_cursor_)
        return false;
    SetCursor(image1_cursor_);
    return true;
}

void FrmSet::OnSize(UINT state, int, int) {
    if (state == SIZE_MINIMIZED)
        ShowWindow(hwnd(), SW_HIDE); // only the tray icon is left
}

void FrmSet::OnTimer(UINT_PTR id) {
    if (id == L::kTimer1)
        Timer1_Timer();
}

void FrmSet::OnClose() {
    Unload();
}

void FrmSet::OnDestroy() {
    RemoveDialogKeys(hwnd());
}

void FrmSet::OnEndSession(bool ending) {
    if (ending)
        Unload();
}

LRESULT FrmSet::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == ShowSettingsMessage()) {
        ShowSettings();
        return 0;
    }
    return WindowBase::OnMessage(message, wparam, lparam);
}

} // namespace qm
