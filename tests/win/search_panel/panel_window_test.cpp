#include "search_panel/panel_window.h"

#include "search/search_text_limit.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(PanelWindow, CreatedHiddenTopmostWithoutFrameOrTaskbarButton) {
    PanelWindow panel;
    ASSERT_TRUE(panel.Create());
    EXPECT_FALSE(panel.Visible());
    LONG_PTR style = GetWindowLongPtrA(panel.hwnd(), GWL_STYLE);
    LONG_PTR ex_style = GetWindowLongPtrA(panel.hwnd(), GWL_EXSTYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(ex_style & WS_EX_TOPMOST);
    EXPECT_TRUE(ex_style & WS_EX_TOOLWINDOW);
    char caption[16] = {};
    GetWindowTextA(panel.hwnd(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Form1");
}

TEST(PanelWindow, MadeAtFirstShowingWhereItWasPlaced) {
    PanelWindow panel;
    panel.SetOwnEngines({{u"DDG", u"https://duckduckgo.com/?q="}});
    panel.MoveTo(10, 20);
    panel.SetText(u"");
    panel.SetVisible(false);
    EXPECT_FALSE(panel.FocusedSelection());
    EXPECT_EQ(panel.hwnd(), nullptr) << "placing, clearing, hiding or asking makes no panel";
    panel.SetVisible(true);
    ASSERT_TRUE(panel.Visible());
    RECT frame{};
    GetWindowRect(panel.hwnd(), &frame);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 20);
    EXPECT_TRUE(FindWindowExW(panel.hwnd(), nullptr, L"Static", L"DDG"))
        << "an engine handed over before the panel was made has its caption";
}

TEST(PanelWindow, TextKeepsEveryScriptAndIsBounded) {
    PanelWindow panel;
    ASSERT_TRUE(panel.Create());
    const std::u16string mixed = u"\u4e2d\u6587 caf\u00e9 \U0001F600 a&b";
    panel.SetText(mixed);
    EXPECT_EQ(panel.Text(), mixed);
    panel.SetText(std::u16string(kMaxSearchTextLength + 500, u'x'));
    EXPECT_EQ(panel.Text().size(), kMaxSearchTextLength);
}

} // namespace
} // namespace qm
