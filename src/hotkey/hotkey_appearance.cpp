// The text box's look: colours, font, border and tooltip of a HotKey control.
#include "hotkey/hotkey_control.h"

#include "platform/gdi.h"

#include <commctrl.h>

namespace qm {

namespace {
constexpr COLORREF kSystemColorFlag = 0x80000000;

COLORREF ResolveColor(COLORREF value) {
    if (value & kSystemColorFlag)
        return GetSysColor(static_cast<int>(value & 0xFF));
    return value & 0xFFFFFF;
}

bool IsZeroOrOne(int value) {
    return value == 0 || value == 1;
}
} // namespace

void HotKey::ApplyAppearance() {
    UpdateBackBrush();
    SetFont(options_.font);
    if (!IsZeroOrOne(options_.border_style))
        options_.border_style = 1;
    if (!IsZeroOrOne(options_.appearance))
        options_.appearance = 1;
    ApplyBorder();
    EnableWindow(text_box_.get(), options_.enabled);
    SetToolTipText(options_.tool_tip_text);
}

void HotKey::UpdateBackBrush() {
    if (options_.back_color & kSystemColorFlag) {
        // System brushes are shared and never deleted.
        back_brush_ = GetSysColorBrush(static_cast<int>(options_.back_color & 0xFF));
        own_back_brush_.reset();
    } else {
        UniqueHbrush brush(CreateSolidBrush(options_.back_color & 0xFFFFFF));
        back_brush_ = brush.get();
        own_back_brush_ = std::move(brush);
    }
}

HBRUSH HotKey::OnCtlColor(HDC dc, HWND control, int type) {
    // A disabled edit asks as a static one.
    if (type != CTLCOLOR_EDIT && !(type == CTLCOLOR_STATIC && control == text_box_.get()))
        return nullptr;
    bool grey = type == CTLCOLOR_STATIC && !options_.enabled;
    SetTextColor(dc, grey ? GetSysColor(COLOR_GRAYTEXT) : ResolveColor(options_.fore_color));
    SetBkColor(dc, ResolveColor(options_.back_color));
    return back_brush_ ? back_brush_ : GetSysColorBrush(COLOR_WINDOW);
}

void HotKey::SetBackColor(COLORREF color) {
    options_.back_color = color;
    UpdateBackBrush();
    if (text_box_)
        InvalidateRect(text_box_.get(), nullptr, TRUE);
}

void HotKey::SetForeColor(COLORREF color) {
    options_.fore_color = color;
    if (text_box_)
        InvalidateRect(text_box_.get(), nullptr, TRUE);
}

void HotKey::SetEnabled(bool enabled) {
    options_.enabled = enabled;
    if (text_box_)
        EnableWindow(text_box_.get(), enabled);
}

HFONT HotKey::Font() const {
    return options_.font ? options_.font : own_font_.get();
}

void HotKey::SetFont(HFONT font) {
    options_.font = font;
    if (!font && !own_font_)
        own_font_ = CreateUiFont();
    if (text_box_)
        SendMessageA(text_box_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
    // The own font is deleted only once the text box has let go of it.
    if (font)
        own_font_.reset();
}

bool HotKey::SetBorderStyle(int style) {
    if (!IsZeroOrOne(style))
        return false;
    options_.border_style = style;
    ApplyBorder();
    return true;
}

bool HotKey::SetAppearance(int appearance) {
    if (!IsZeroOrOne(appearance))
        return false;
    options_.appearance = appearance;
    ApplyBorder();
    return true;
}

void HotKey::ApplyBorder() {
    if (!text_box_)
        return;
    // Fixed single in 3D is the sunken client edge; flat is a plain line.
    LONG_PTR style =
        GetWindowLongPtrA(text_box_.get(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    LONG_PTR ex_style =
        GetWindowLongPtrA(text_box_.get(), GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (options_.border_style == 1) {
        if (options_.appearance == 1)
            ex_style |= WS_EX_CLIENTEDGE;
        else
            style |= WS_BORDER;
    }
    SetWindowLongPtrA(text_box_.get(), GWL_STYLE, style);
    SetWindowLongPtrA(text_box_.get(), GWL_EXSTYLE, ex_style);
    SetWindowPos(text_box_.get(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void HotKey::SetToolTipText(const std::string& text) {
    options_.tool_tip_text = text;
    if (!text_box_)
        return;
    if (text.empty()) {
        tool_tip_.reset();
        return;
    }
    TOOLINFOA info{};
    // The older layout, which every version of the common controls accepts.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(text_box_.get());
    info.lpszText = const_cast<char*>(options_.tool_tip_text.c_str());
    if (tool_tip_) {
        SendMessageA(tool_tip_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
        return;
    }
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    // Unowned, so that it lives exactly as long as this control keeps it.
    tool_tip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr));
    if (tool_tip_)
        SendMessageA(tool_tip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace qm
