#include "controller/selection_search.h"

#include "editor_window.h"
#include "platform/clipboard.h"
#include "pump.h"
#include "search_panel/find2.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace qm {
namespace {

// The launches go to the recording browser; its log goes to the test's temp folder.
const char kTemplate[] = "http://www.google.com/#q=";

class SelectionSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        SetEnvironmentVariableA("QM_BROWSER_LOG", (std::string(temp) + "qm-selection.log").c_str());
        owner_.reset(
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(owner_);
    }
    HWND owner() const { return owner_.get(); }

    UniqueHwnd owner_;
    test::EditorWindow editor_{L"a b"};
    SelectionSearch search_{nullptr, [](int ms) { test::PumpFor(ms); }};
};

TEST_F(SelectionSearchTest, DirectSearchCopiesTheSelection) {
    ASSERT_TRUE(WriteClipboardText(owner(), u"before"));
    EXPECT_EQ(search_.DirectSearch(kTemplate), u"a b");
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"a b");
}

TEST_F(SelectionSearchTest, NothingCopiedPutsBackEverythingTheClipboardHeld) {
    const char binary[] = {'\x00', '\x07', '\x00'};
    ASSERT_TRUE(WriteClipboardText(owner(), u"before \u4e2d"));
    {
        OpenedClipboard clipboard(owner());
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(binary));
        std::memcpy(GlobalLock(block), binary, sizeof(binary));
        GlobalUnlock(block);
        ASSERT_TRUE(SetClipboardData(test::BinaryFormat(), block));
    }
    editor_.SelectNothing();
    EXPECT_EQ(search_.DirectSearch(kTemplate), u"");
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"before \u4e2d");
    EXPECT_TRUE(IsClipboardFormatAvailable(test::BinaryFormat()));
}

// Another program holds the clipboard while the capture starts and lets go before
// it reads: the old text there is not a copy of the selection, and it must survive.
TEST_F(SelectionSearchTest, BusyClipboardIsNeitherLostNorTakenForTheSelection) {
    ASSERT_TRUE(WriteClipboardText(owner(), u"old text"));
    editor_.SelectNothing();
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened] {
        bool ok = OpenClipboard(nullptr);
        SetEvent(opened);
        Sleep(250);
        if (ok)
            CloseClipboard();
    });
    WaitForSingleObject(opened, 5000);
    CloseHandle(opened);
    EXPECT_EQ(search_.DirectSearch(kTemplate), u"");
    holder.join();
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"old text");
}

TEST_F(SelectionSearchTest, PressDuringAnActionIsIgnored) {
    std::optional<std::u16string> nested_direct = u"not called";
    bool nested_panel = true;
    Find2 panel;
    ASSERT_TRUE(panel.Create());
    int waits = 0;
    search_ = SelectionSearch(owner(), [&](int ms) {
        if (++waits == 1) {
            nested_direct = search_.DirectSearch(kTemplate);
            nested_panel = search_.PanelSearch(panel);
        }
        test::PumpFor(ms);
    });
    EXPECT_EQ(search_.DirectSearch(kTemplate), u"a b");
    EXPECT_EQ(nested_direct, std::nullopt);
    EXPECT_FALSE(nested_panel);
    EXPECT_FALSE(panel.Visible());
    EXPECT_FALSE(search_.Busy());
    EXPECT_TRUE(search_.PanelSearch(panel)) << "still refused after the action ended";
}

TEST_F(SelectionSearchTest, PanelSearchShowsAtThePointerOrHides) {
    Find2 panel;
    ASSERT_TRUE(panel.Create());
    auto top_left = [&] {
        RECT box{};
        GetWindowRect(panel.hwnd(), &box);
        return std::make_pair(box.left, box.top);
    };

    SetCursorPos(300, 200);
    EXPECT_TRUE(search_.PanelSearch(panel));
    EXPECT_TRUE(panel.Visible());
    EXPECT_EQ(panel.Text(), u"a b");
    EXPECT_EQ(top_left(), std::make_pair(300L, 200L));
    EXPECT_TRUE(GetWindowLongPtrA(panel.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(GetForegroundWindow(), panel.hwnd()) << "the panel took the focus";

    editor_.Reset();
    editor_.SelectNothing();
    SetCursorPos(320, 240);
    EXPECT_TRUE(search_.PanelSearch(panel));
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(panel.Text(), u"");
    EXPECT_EQ(top_left(), std::make_pair(320L, 240L));
}

} // namespace
} // namespace qm
