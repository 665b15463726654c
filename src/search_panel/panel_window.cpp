#include "search_panel/panel_window.h"

#include "platform/bounded_text.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/startup_trace.h"
#include "platform/text_codec.h"
#include "search_panel/panel_drag.h"
#include "search_panel/panel_layout.h"
#include "search/search_launch.h"
#include "search/search_text_limit.h"
#include "support/utf.h"

namespace qm {

namespace {
constexpr char kClassName[] = "QuenmarkFind2";
constexpr char kCaption[] = "Form1";
constexpr int kTextBoxId = 100;
constexpr int kFirstCaptionId = 200;
constexpr int kFirstOwnCaptionId = 300;
constexpr DWORD kCaptionStyle = WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOTIFY | SS_NOPREFIX;

int PixelsToTwips(int pixels, int dpi) {
    return (pixels * 1440 + dpi - 1) / dpi; // up, so the text always fits its box
}

// Wine makes each window a drawing context of its own when the window first paints,
// which made the panel's first showing some 15 ms slower than the later ones. Asking
// for each once, while the program waits for the user, does that work before any press.
void PrepareDrawingContexts(HWND panel) {
    WindowDc panel_dc(panel);
    for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        WindowDc prepared(child);
}
} // namespace

PanelWindow::~PanelWindow() {
    // The controls still use the font and brushes until the window is gone.
    DestroyWindowObject();
}

bool PanelWindow::Create() {
    if (hwnd())
        return true;
    font_ = CreateUiFont();
    caption_brush_.reset(CreateSolidBrush(panel_layout::kCaptionBackColour));
    text_box_brush_.reset(CreateSolidBrush(panel_layout::kTextBoxBackColour));

    RECT frame = PixelRect({0, 0, panel_layout::kClientWidth, panel_layout::kClientHeight});
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    // A tool window gets no taskbar button: the panel is a helper of the program.
    const DWORD ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    if (!CreateWindowObject(kClassName, ex_style, style, kCaption, position_.x, position_.y,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr))
        return false;
    if (!CreateTextBox()) {
        DestroyWindowObject();
        return false;
    }
    CreateCaptions();
    if (!own_engines_.empty())
        LayOutOwnRows();
    MakeTopmost();
    PrepareDrawingContexts(hwnd());
    TraceMark("panel created");
    return true;
}

bool PanelWindow::CreateTextBox() {
    // The one Unicode control: the search text must survive every script.
    RECT box = PixelRect(panel_layout::kTextBox);
    text_box_ =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                        box.left, box.top, box.right - box.left, box.bottom - box.top, hwnd(),
                        reinterpret_cast<HMENU>(kTextBoxId), GetModuleHandleA(nullptr), nullptr);
    if (!text_box_)
        return false;
    SendMessageW(text_box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(text_box_, EM_SETLIMITTEXT, kMaxSearchTextLength, 0);
    return true;
}

void PanelWindow::CreateCaptions() {
    const auto& captions = panel_layout::EngineCaptions();
    for (size_t i = 0; i < captions.size(); ++i) {
        const PanelEngine* engine = panel_layout::EngineForControl(captions[i].control);
        RECT box = PixelRect(captions[i].box);
        HWND label =
            CreateWindowExA(0, "STATIC", engine ? engine->caption : "", kCaptionStyle, box.left,
                            box.top, box.right - box.left, box.bottom - box.top, hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstCaptionId + i)),
                            GetModuleHandleA(nullptr), nullptr);
        // A caption that could not be made leaves a gap; the others still search.
        if (label)
            SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
}

void PanelWindow::SetOwnEngines(const std::vector<OwnEngine>& engines) {
    if (engines.empty() && own_engines_.empty())
        return;
    own_engines_ = engines;
    LayOutOwnRows();
}

void PanelWindow::LayOutOwnRows() {
    if (!hwnd())
        return;
    std::vector<panel_layout::TwipsSize> sizes;
    if (!own_engines_.empty()) {
        WindowDc dc(hwnd());
        SelectedObject selected(dc.get(), font_.get());
        const int dpi_x = ScreenDpiX(), dpi_y = ScreenDpiY();
        for (const OwnEngine& engine : own_engines_) {
            RECT text{0, 0,
                      TwipsToPixelsX(panel_layout::kOwnCaptionMaxWidth -
                                     panel_layout::kOwnCaptionPadding),
                      0};
            DrawTextW(dc.get(), ToWide(engine.caption).c_str(), -1, &text,
                      DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
            sizes.push_back({PixelsToTwips(text.right, dpi_x), PixelsToTwips(text.bottom, dpi_y)});
        }
    }
    own_rows_ = panel_layout::LayOutOwnRows(sizes);
    RECT frame = PixelRect(
        {0, 0, panel_layout::kClientWidth, panel_layout::kClientHeight + own_rows_.height});
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right, frame.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateOwnCaptions();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void PanelWindow::CreateOwnCaptions() {
    for (HWND caption : own_captions_)
        DestroyWindow(caption);
    own_captions_.clear();
    for (size_t i = 0; i < own_engines_.size() && i < own_rows_.captions.size(); ++i) {
        RECT box = PixelRect(own_rows_.captions[i]);
        // Wrapped like an edit control, so even one long word is shown whole.
        HWND label = CreateWindowExW(
            0, L"STATIC", ToWide(own_engines_[i].caption).c_str(), kCaptionStyle | SS_EDITCONTROL,
            box.left, box.top, box.right - box.left, box.bottom - box.top, hwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstOwnCaptionId + i)),
            GetModuleHandleA(nullptr), nullptr);
        if (label) {
            SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
            own_captions_.push_back(label);
        }
    }
}

std::u16string PanelWindow::Text() const {
    if (!text_box_)
        return {};
    int length = GetWindowTextLengthW(text_box_);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(text_box_, text.data(), length + 1)));
    return FromWide(text);
}

void PanelWindow::SetText(const std::u16string& text) {
    // A panel not made yet is empty.
    if (text.empty() ? text_box_ != nullptr : Create())
        SetWindowTextW(text_box_, ToWide(CutUtf16(text, kMaxSearchTextLength)).c_str());
}

std::optional<std::u16string> PanelWindow::FocusedSelection() const {
    if (!text_box_ || GetFocus() != text_box_)
        return std::nullopt;
    std::u16string text = Text();
    DWORD start = 0, end = 0;
    SendMessageW(text_box_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    if (start < end && end <= text.size())
        return text.substr(start, end - start);
    return text;
}

void PanelWindow::MoveTo(int screen_x, int screen_y) {
    position_ = {screen_x, screen_y};
    if (hwnd())
        SetWindowPos(hwnd(), nullptr, screen_x, screen_y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PanelWindow::SetVisible(bool visible) {
    if (!visible) {
        if (hwnd()) // nothing to hide before the panel is made
            ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    if (!Create())
        return;
    // Shown without taking the focus: the application the user works in keeps it,
    // so a further hotkey press copies from there and not from the panel's box.
    ShowWindow(hwnd(), SW_SHOWNA);
    TraceMark("panel shown");
}

bool PanelWindow::Visible() const {
    return hwnd() && IsWindowVisible(hwnd());
}

void PanelWindow::MakeTopmost() {
    // Only the z-order: whether the panel is active is the showing's business.
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PanelWindow::OnEngineClicked(size_t index) {
    const PanelEngine* engine =
        panel_layout::EngineForControl(panel_layout::EngineCaptions()[index].control);
    if (!engine)
        return;
    // Hidden at the click: the browser may take a while to come up.
    std::u16string text = Text();
    if (RowHidesAfterSearch(engine->category))
        HideAfterSearch();
    LaunchSearch(hwnd(), engine->url_template, text);
}

void PanelWindow::OnOwnEngineClicked(size_t index) {
    if (index >= own_engines_.size())
        return;
    std::string url_template = Utf16ToUtf8(own_engines_[index].url_template);
    std::u16string text = Text();
    HideAfterSearch();
    LaunchSearch(hwnd(), url_template, text);
}

void PanelWindow::HideAfterSearch() {
    int state = search_then_close_state ? search_then_close_state() : 1;
    if (state == 1)
        SetVisible(false);
}

void PanelWindow::OnButtonDown(int x, int y) {
    RECT banner = PixelRect(panel_layout::kBanner);
    if (PtInRect(&banner, POINT{x, y}))
        DragPanel(hwnd());
}

void PanelWindow::OnPaint(HDC dc) {
    artwork_.Paint(dc, font_.get(), own_rows_);
}

HBRUSH PanelWindow::OnCtlColor(HDC dc, HWND, int type) {
    switch (type) {
    case CTLCOLOR_STATIC: // the engine captions: the text box is never read-only
        SetBkColor(dc, panel_layout::kCaptionBackColour);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return caption_brush_.get();
    case CTLCOLOR_EDIT:
        SetBkColor(dc, panel_layout::kTextBoxBackColour);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return text_box_brush_.get();
    default:
        return nullptr;
    }
}

void PanelWindow::OnCommand(int id, int code, HWND) {
    if (code != STN_CLICKED)
        return;
    if (id >= kFirstCaptionId && id < kFirstCaptionId + static_cast<int>(kPanelEngineCount))
        OnEngineClicked(static_cast<size_t>(id - kFirstCaptionId));
    else if (id >= kFirstOwnCaptionId && id < kFirstOwnCaptionId + static_cast<int>(kMaxOwnEngines))
        OnOwnEngineClicked(static_cast<size_t>(id - kFirstOwnCaptionId));
}

void PanelWindow::OnSetFocus() {
    // Typing goes straight into the search text.
    if (text_box_)
        SetFocus(text_box_);
}

} // namespace qm
