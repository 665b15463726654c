// The settings window's controls: creation in tab order, the check boxes' states,
// pictures and lines.
#include "settings_window/settings_window.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "resources/resource_ids.h"

#include <commctrl.h>
#include <windowsx.h>

namespace qm {

namespace L = settings_window_layout;

namespace {
HWND MakeChild(HWND parent, const char* cls, const char* text, DWORD style, const TwipsRect& box,
               int id, HFONT font) {
    RECT r = PixelRect(box);
    HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// Pictures and labels: they take no focus, so they may come last.
struct StaticControl {
    int id;
    const char* text;
    DWORD style;
    TwipsRect box;
};
constexpr StaticControl kStatics[] = {
    {L::kIdLogo, "", SS_OWNERDRAW | SS_NOTIFY, L::kLogo},
    {L::kIdDirectDash, "----", SS_LEFT, L::kDirectDash},
    {L::kIdPanelDash, "----", SS_LEFT, L::kPanelDash},
    {L::kIdFaqLink, "", SS_OWNERDRAW | SS_NOTIFY, L::kFaqLink},
};

HotKeyOptions FieldOptions(const char* name, COLORREF back_color, HFONT font) {
    HotKeyOptions options;
    options.name = name;
    options.back_color = back_color;
    options.font = font;
    return options;
}
} // namespace

void SettingsWindow::CreateControls() {
    font_ = CreateUiFont();
    // Tab order follows creation order: both "Effective" boxes, the engine box, both
    // hotkey fields, the other three boxes, and last the "Engines" button.
    for (size_t i = 0; i < L::kCheckBoxCount; ++i) {
        CreateCheckBox(static_cast<CheckBox>(i));
        if (i == L::kPanelEffective)
            CreateHotkeyRows();
    }
    for (const StaticControl& control : kStatics)
        MakeChild(hwnd(), "STATIC", control.text, control.style, control.box, control.id,
                  font_.get());
    MakeChild(hwnd(), "BUTTON", "&Engines...", BS_PUSHBUTTON | WS_TABSTOP, L::kEnginesButton,
              L::kIdEngines, font_.get());
}

void SettingsWindow::CreateCheckBox(CheckBox which) {
    const L::CheckBoxRow& row = L::kCheckBoxes[which];
    HWND box = MakeChild(hwnd(), "BUTTON", row.caption, BS_AUTOCHECKBOX | WS_TABSTOP, row.box,
                         row.id, font_.get());
    SetCheckState(which, row.initial);
    // The "Effective" boxes act when a mouse button is released over them.
    if (which == L::kDirectEffective || which == L::kPanelEffective)
        SetWindowSubclass(box, EffectiveBoxProc, which, reinterpret_cast<DWORD_PTR>(this));
}

void SettingsWindow::CreateHotkeyRows() {
    TwipsRect engine_box = L::kEngineBox;
    engine_box.height = 1500; // room for the drop-down list
    // A Unicode box: the user's own engines may have names in any script.
    RECT r = PixelRect(engine_box);
    HWND engines = CreateWindowExW(0, L"COMBOBOX", L"",
                                   WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(L::kIdEngineBox)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(engines, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (const wchar_t* caption : {L"Google", L"Bing", L"Yahoo"})
        SendMessageW(engines, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption));
    SetWindowTextW(engines, L"Google");

    RECT direct = PixelRect(L::kDirectHotkey);
    direct_hotkey_.Create(hwnd(), direct.left, direct.top, direct.right - direct.left,
                          direct.bottom - direct.top,
                          FieldOptions("HotKey1", RGB(0, 153, 255), font_.get()));
    RECT panel = PixelRect(L::kPanelHotkey);
    panel_hotkey_.Create(hwnd(), panel.left, panel.top, panel.right - panel.left,
                         panel.bottom - panel.top,
                         FieldOptions("HotKey2", RGB(255, 0, 0), font_.get()));
}

void SettingsWindow::CreateLogoTooltip() {
    // Owned by the window, so it goes with it.
    HWND tooltip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd(), L::kIdLogo));
    tool.lpszText = const_cast<char*>("Move to Vizu Dovari");
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK SettingsWindow::EffectiveBoxProc(HWND box, UINT message, WPARAM wparam,
                                                  LPARAM lparam, UINT_PTR which,
                                                  DWORD_PTR self_data) {
    auto* self = reinterpret_cast<SettingsWindow*>(self_data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(box, EffectiveBoxProc, which);
        return DefSubclassProc(box, message, wparam, lparam);
    }
    LRESULT result = DefSubclassProc(box, message, wparam, lparam);
    if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
        // After the click has changed the box's state.
        POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        RECT client;
        GetClientRect(box, &client);
        if (PtInRect(&client, point))
            self->SwitchHotkey(static_cast<CheckBox>(which));
    } else if (message == WM_KEYUP && wparam == VK_SPACE) {
        // Space ticks or clears the focused box as a click does: it switches the same way.
        self->SwitchHotkey(static_cast<CheckBox>(which));
    }
    return result;
}

bool SettingsWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    // Loaded at the first painting, after the window is on screen.
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (item.CtlID == L::kIdLogo && !logo_)
        logo_.reset(static_cast<HBITMAP>(
            LoadImageA(instance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0)));
    if (item.CtlID == L::kIdFaqLink && !faq_icon_)
        faq_icon_.reset(static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(IDI_LINK), IMAGE_ICON, 16, 16, 0)));
    if (item.CtlID == L::kIdLogo && logo_) {
        UniqueMemoryDc memory(CreateCompatibleDC(item.hDC));
        SelectedObject selected(memory.get(), logo_.get());
        BITMAP info{};
        GetObjectA(logo_.get(), sizeof(info), &info);
        SetStretchBltMode(item.hDC, HALFTONE);
        StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
    } else if (item.CtlID == L::kIdFaqLink && faq_icon_) {
        DrawIconEx(item.hDC, r.left, r.top, faq_icon_.get(), r.right - r.left, r.bottom - r.top, 0,
                   nullptr, DI_NORMAL);
    }
    return true;
}

void SettingsWindow::OnPaint(HDC dc) {
    SelectedObject selected_pen(dc, GetStockObject(BLACK_PEN));
    for (const TwipsLine& line : {L::kRowsDivider, L::kOptionsDivider})
        DrawLine(dc, line);
}

HWND SettingsWindow::BoxWindow(CheckBox which) const {
    return GetDlgItem(hwnd(), L::kCheckBoxes[which].id);
}

std::optional<SettingsWindow::CheckBox> SettingsWindow::CheckBoxWithId(int id) {
    for (size_t i = 0; i < L::kCheckBoxCount; ++i)
        if (L::kCheckBoxes[i].id == id)
            return static_cast<CheckBox>(i);
    return std::nullopt;
}

int SettingsWindow::CheckState(CheckBox which) const {
    return static_cast<int>(SendMessageA(BoxWindow(which), BM_GETCHECK, 0, 0));
}

void SettingsWindow::SetCheckState(CheckBox which, int state) {
    // A plain box cannot hold grey (2), which set.ini may ask for: the box is
    // three-state while grey and a plain one again once it holds 0 or 1.
    HWND box = BoxWindow(which);
    const LONG_PTR wanted = state == 2 ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
    if ((GetWindowLongPtrA(box, GWL_STYLE) & BS_TYPEMASK) != wanted)
        SendMessageA(box, BM_SETSTYLE, wanted, FALSE);
    SendMessageA(box, BM_SETCHECK, state, 0);
}

} // namespace qm
