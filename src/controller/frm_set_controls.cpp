// The settings window's controls: creation in tab order, pictures and lines.
#include "controller/frm_set.h"
#include "controller/frm_set_layout.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

namespace qm {

namespace L = frm_set_layout;

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

HotKeyOptions FieldOptions(const char* name, COLORREF back_color, HFONT font) {
    HotKeyOptions options;
    options.name = name;
    options.back_color = back_color;
    options.font = font;
    return options;
}
} // namespace

void FrmSet::CreateControls() {
    HWND self = hwnd();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    font_ = CreateUiFont();
    HFONT font = font_.get();
    logo_.reset(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0)));
    link_icon_.reset(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_LINK), IMAGE_ICON, 16, 16, 0)));
    image1_cursor_ = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER));

    // Tab order follows creation order: chkCheck1, chkCheck2, Combo1, HotKey1,
    // HotKey2, Check1, Check2, Check3. Pictures and labels take no focus.
    const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
    chkCheck1_ =
        MakeChild(self, "BUTTON", "Effective", check, L::kChkCheck1, L::kIdChkCheck1, font);
    chkCheck2_ =
        MakeChild(self, "BUTTON", "Effective", check, L::kChkCheck2, L::kIdChkCheck2, font);
    TwipsRect combo_box = L::kCombo1;
    combo_box.height = 1500; // room for the drop-down list
    Combo1_ = MakeChild(self, "COMBOBOX", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, combo_box,
                        L::kIdCombo1, font);
    for (const char* caption : {"Google", "Bing", "Yahoo"})
        SendMessageA(Combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption));
    SetWindowTextA(Combo1_, "Google");

    RECT r1 = PixelRect(L::kHotKey1);
    HotKey1_.Create(self, r1.left, r1.top, r1.right - r1.left, r1.bottom - r1.top,
                    FieldOptions("HotKey1", RGB(0, 153, 255), font));
    RECT r2 = PixelRect(L::kHotKey2);
    HotKey2_.Create(self, r2.left, r2.top, r2.right - r2.left, r2.bottom - r2.top,
                    FieldOptions("HotKey2", RGB(255, 0, 0), font));

    Check1_ = MakeChild(self, "BUTTON", "Auto start", check, L::kCheck1, L::kIdCheck1, font);
    Check2_ = MakeChild(self, "BUTTON", "Update Tips", check, L::kCheck2, L::kIdCheck2, font);
    Check3_ =
        MakeChild(self, "BUTTON", "Search and then close", check, L::kCheck3, L::kIdCheck3, font);
    for (HWND box : CheckBoxes())
        SetCheckState(box, 1); // every box starts ticked

    Image1_ =
        MakeChild(self, "STATIC", "", SS_OWNERDRAW | SS_NOTIFY, L::kImage1, L::kIdImage1, font);
    Label1_ = MakeChild(self, "STATIC", "----", SS_LEFT, L::kLabel1, L::kIdLabel1, font);
    Label2_ = MakeChild(self, "STATIC", "----", SS_LEFT, L::kLabel2, L::kIdLabel2, font);
    Image2_ =
        MakeChild(self, "STATIC", "", SS_OWNERDRAW | SS_NOTIFY, L::kImage2, L::kIdImage2, font);

    // The "Effective" boxes act when a mouse button is released over them.
    SetWindowSubclass(chkCheck1_, EffectiveBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(chkCheck2_, EffectiveBoxProc, 2, reinterpret_cast<DWORD_PTR>(this));
}

void FrmSet::CreateTooltip() {
    HWND self = hwnd();
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, self,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = self;
    tool.uId = reinterpret_cast<UINT_PTR>(Image1_);
    tool.lpszText = const_cast<char*>("Move to Vizu Dovari");
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

bool FrmSet::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (item.hwndItem == Image1_ && logo_) {
        UniqueMemoryDc memory(CreateCompatibleDC(item.hDC));
        SelectedObject selected(memory.get(), logo_.get());
        BITMAP info{};
        GetObjectA(logo_.get(), sizeof(info), &info);
        SetStretchBltMode(item.hDC, HALFTONE);
        StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
    } else if (item.hwndItem == Image2_ && link_icon_) {
        DrawIconEx(item.hDC, r.left, r.top, link_icon_.get(), r.right - r.left, r.bottom - r.top, 0,
                   nullptr, DI_NORMAL);
    }
    return true;
}

void FrmSet::OnPaint(HDC dc) {
    SelectedObject selected_pen(dc, GetStockObject(BLACK_PEN));
    for (const TwipsLine& line : {L::kLine1, L::kLine2})
        DrawLine(dc, line);
}

int FrmSet::CheckState(HWND box) const {
    return static_cast<int>(SendMessageA(box, BM_GETCHECK, 0, 0));
}

void FrmSet::SetCheckState(HWND box, int state) {
    // A plain box cannot hold grey (2), which set.ini may ask for: the box is
    // three-state while grey and a plain one again once it holds 0 or 1.
    const LONG_PTR wanted = state == 2 ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
    if ((GetWindowLongPtrA(box, GWL_STYLE) & BS_TYPEMASK) != wanted)
        SendMessageA(box, BM_SETSTYLE, wanted, FALSE);
    SendMessageA(box, BM_SETCHECK, state, 0);
}

} // namespace qm
