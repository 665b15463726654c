#pragma once
// The search panel: a small borderless, always-on-top window with the search
// text box and seventeen engine captions; a click on a caption searches the box's text.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/window_base.h"
#include "search_panel/panel_artwork.h"
#include "search_panel/panel_layout.h"
#include "search/own_engine.h"

namespace qm {

class PanelWindow final : public WindowBase {
  public:
    PanelWindow() = default;
    ~PanelWindow() override;

    // Creates the panel hidden, with its engine captions, and makes it topmost. Filling
    // or showing the panel creates it first; placing one not made yet sets where it will be.
    bool Create();

    std::u16string Text() const;
    void SetText(const std::u16string& text);
    // While the text box has the keyboard focus: its selected text, or all of it
    // when nothing is selected. Nothing otherwise.
    std::optional<std::u16string> FocusedSelection() const;

    // Top-left corner in screen pixels; nothing keeps the panel on the screen.
    void MoveTo(int screen_x, int screen_y);
    void SetVisible(bool visible);
    bool Visible() const;
    void MakeTopmost();

    // The user's own engines, in rows below "Shop"; the panel grows by those rows.
    // None leaves it as it always was. Takes effect at once, also while shown.
    void SetOwnEngines(const std::vector<OwnEngine>& engines);

    // The "Search and then close" box: 0 clear, 1 ticked, 2 grey. Unset counts as
    // ticked, the box's state when nothing was saved.
    std::function<int()> search_then_close_state;

  private:
    void OnCommand(int id, int code, HWND control) override;
    void OnPaint(HDC dc) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, int type) override;
    void OnButtonDown(int x, int y) override;
    void OnSetFocus() override;

    bool CreateTextBox();
    void CreateCaptions();
    void LayOutOwnRows();
    void CreateOwnCaptions();
    void OnEngineClicked(size_t index);
    void OnOwnEngineClicked(size_t index);
    void HideAfterSearch(); // after a search, when "Search and then close" is ticked

    UniqueHfont font_;
    UniqueHbrush caption_brush_;
    UniqueHbrush text_box_brush_;
    PanelArtwork artwork_;
    HWND text_box_ = nullptr; // a child: it goes with the panel
    POINT position_{};        // screen pixels
    std::vector<OwnEngine> own_engines_;
    panel_layout::OwnRows own_rows_;
    std::vector<HWND> own_captions_; // children: they go with the panel
};

} // namespace qm
