#include "search_panel/find2.h"

#include "platform/dpi.h"
#include "pump.h"
#include "search_panel/panel_artwork.h"
#include "search_panel/panel_layout.h"
#include "search_panel/search_text_limit.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace qm {
namespace {

std::string LogPath() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "qm-find2.log";
}

std::vector<std::string> LoggedUrls() {
    std::vector<std::string> lines;
    std::ifstream in(LogPath());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The control under the middle of a caption's layout box, as a click would find it.
HWND CaptionWindow(const Find2& panel, const char* control) {
    for (const PanelCaption& caption : panel_layout::EngineCaptions()) {
        if (std::string(caption.control) != control)
            continue;
        RECT box = PixelRect(caption.box);
        POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        return ChildWindowFromPointEx(panel.hwnd(), middle, CWP_SKIPINVISIBLE);
    }
    return nullptr;
}

TEST(Find2, CreatedHiddenTopmostBorderlessAtItsSize) {
    Find2 panel;
    ASSERT_TRUE(panel.Create());
    HWND window = panel.hwnd();
    EXPECT_FALSE(panel.Visible());
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    LONG_PTR ex_style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(ex_style & WS_EX_TOPMOST);
    EXPECT_TRUE(ex_style & WS_EX_TOOLWINDOW) << "would get a taskbar button";
    char caption[16] = {};
    GetWindowTextA(window, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Form1");
    RECT client{}, frame{};
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    EXPECT_EQ(client.right, TwipsToPixelsX(3315));
    EXPECT_EQ(client.bottom, TwipsToPixelsY(3045));
    EXPECT_EQ(frame.right - frame.left, client.right) << "the panel has a border";

    for (const PanelCaption& caption : panel_layout::EngineCaptions()) {
        HWND label = CaptionWindow(panel, caption.control);
        ASSERT_NE(label, window) << caption.control << " has no control under it";
        char text[32] = {};
        GetWindowTextA(label, text, sizeof(text));
        EXPECT_STREQ(text, panel_layout::EngineForControl(caption.control)->caption)
            << caption.control;
    }
}

TEST(Find2, TextKeepsEveryScriptAndIsBounded) {
    Find2 panel;
    ASSERT_TRUE(panel.Create());
    const std::u16string mixed = u"\u4e2d\u6587 caf\u00e9 \U0001F600 a&b";
    panel.SetText(mixed);
    EXPECT_EQ(panel.Text(), mixed);
    panel.SetText(std::u16string(kMaxSearchTextLength + 500, u'x'));
    EXPECT_EQ(panel.Text().size(), kMaxSearchTextLength);
    panel.SetText(u"");
    EXPECT_EQ(panel.Text(), u"");
}

// Searches with the box's text, then hides only when the box is ticked and the
// row is not "ASK".
TEST(Find2, EngineClickSearchesThenHidesAsTheBoxSays) {
    SetEnvironmentVariableA("QM_BROWSER_LOG", LogPath().c_str());
    DeleteFileA(LogPath().c_str());
    struct Row {
        int check3;
        const char* control;
        const char* expected_url;
        bool stays_visible;
    };
    const Row rows[] = {
        {1, "webg", "http://www.google.com/#q=New York", false},
        {1, "askw", "http://en.wikipedia.org/wiki/New York", true},
        {1, "videob", "http://www.bing.com/videos/search?q=New York", false},
        {0, "shope", nullptr, true},
        {2, "imagey", "http://www.flickr.com/search/?q=New York", true},
    };
    Find2 panel;
    ASSERT_TRUE(panel.Create());
    panel.SetText(u"New York");
    int check3 = 1;
    panel.check3_state = [&] { return check3; };
    size_t launched = 0;
    for (const Row& row : rows) {
        check3 = row.check3;
        panel.SetVisible(true);
        HWND label = CaptionWindow(panel, row.control);
        SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ++launched;
        EXPECT_EQ(panel.Visible(), row.stays_visible) << row.control << " check3 " << row.check3;
        ASSERT_TRUE(test::PumpUntil([&] { return LoggedUrls().size() >= launched; }, 10000))
            << row.control << " launched nothing";
        std::string expected =
            row.expected_url
                ? row.expected_url
                : std::string(panel_layout::EngineForControl(row.control)->url_template) +
                      "New York";
        EXPECT_EQ(LoggedUrls()[launched - 1], expected);
    }
    EXPECT_EQ(LoggedUrls().size(), launched) << "a click launched twice";
}

} // namespace
} // namespace qm
