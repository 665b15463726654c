#include "capture/selection_search.h"

#include "clipboard_text.h"
#include "editor_window.h"
#include "platform/clipboard.h"
#include "platform/copy_keystroke.h"
#include "pump.h"
#include "search_panel/panel_window.h"

#include <gtest/gtest.h>

#include <thread>

namespace qm {
namespace {

const char kTemplate[] = "http://www.google.com/#q=";

// The clipboard's owner; the launches go to the recording browser, logging into
// the temp folder.
HWND MakeOwner() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetEnvironmentVariableA("QM_BROWSER_LOG", (std::string(temp) + "qm-selection.log").c_str());
    return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

class SelectionSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(owner_);
        // The editor is a window of this process, which the capture would leave alone.
        UseForeignEditor();
    }
    void UseForeignEditor() {
        search_.focused_target = [] { return CopyTarget::Application; };
    }
    HWND owner() const { return owner_.get(); }

    // Pumps for the whole time: the capture must also take a copy that ends the
    // wait late.
    static void PumpAll(int ms, const std::function<bool()>&) { test::PumpFor(ms); }

    UniqueHwnd owner_{MakeOwner()};
    test::EditorWindow editor_{L"a b"};
    PanelWindow panel_;
    SelectionSearch search_{owner(), panel_, PumpAll};
};

// Another program holds the clipboard while the capture starts and lets go before
// it reads: the old text there is not a copy of the selection, and it must survive.
TEST_F(SelectionSearchTest, BusyClipboardIsNeitherLostNorTakenForTheSelection) {
    ASSERT_TRUE(test::WriteClipboardText(owner(), u"old text"));
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

// The copy keystroke copied something that is not text (files, a picture): that
// stays on the clipboard instead of the earlier text.
TEST_F(SelectionSearchTest, CopiedNonTextIsKept) {
    ASSERT_TRUE(test::WriteClipboardText(owner(), u"old text"));
    editor_.SelectNothing();
    const UINT picture = RegisterClipboardFormatA("Quenmark test picture");
    int waits = 0;
    search_ = SelectionSearch(owner(), panel_, [&](int ms, const std::function<bool()>&) {
        test::PumpFor(ms);
        if (++waits == 2 && OpenClipboard(editor_.frame())) {
            EmptyClipboard();
            SetClipboardData(picture, GlobalAlloc(GMEM_MOVEABLE, 16));
            CloseClipboard();
        }
    });
    UseForeignEditor();
    EXPECT_EQ(search_.DirectSearch(kTemplate), u"");
    EXPECT_TRUE(IsClipboardFormatAvailable(picture));
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"");
}

// No keys go to a window that runs above this program (the system would drop them) or
// to a terminal that copies as text is selected; the old clipboard text is never
// taken for the selection.
TEST_F(SelectionSearchTest, TargetsThatGetNoKeystroke) {
    ASSERT_TRUE(panel_.Create());
    int out_of_reach = 0;
    search_.SelectionOutOfReach = [&] { ++out_of_reach; };
    ASSERT_TRUE(test::WriteClipboardText(owner(), u"old text"));

    search_.focused_target = [] { return CopyTarget::SelectTerminal; };
    EXPECT_EQ(search_.DirectSearch(kTemplate), u"");
    EXPECT_EQ(out_of_reach, 0);

    search_.focused_target = [] { return CopyTarget::Elevated; };
    EXPECT_EQ(search_.DirectSearch(kTemplate), std::nullopt) << "nothing is searched";
    EXPECT_TRUE(search_.PanelSearch());
    EXPECT_FALSE(panel_.Visible());
    EXPECT_EQ(out_of_reach, 2);
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"old text") << "a copy was sent";
}

TEST_F(SelectionSearchTest, PressDuringAnActionIsIgnored) {
    std::optional<std::u16string> nested_direct = u"not called";
    bool nested_panel = true;
    ASSERT_TRUE(panel_.Create());
    int waits = 0;
    search_ = SelectionSearch(owner(), panel_, [&](int ms, const std::function<bool()>& done) {
        if (++waits == 1) {
            nested_direct = search_.DirectSearch(kTemplate);
            nested_panel = search_.PanelSearch();
        }
        test::PumpUntil(done, ms);
    });
    UseForeignEditor();
    EXPECT_EQ(search_.DirectSearch(kTemplate), u"a b");
    EXPECT_EQ(nested_direct, std::nullopt);
    EXPECT_FALSE(nested_panel);
    EXPECT_FALSE(panel_.Visible());
    EXPECT_TRUE(search_.PanelSearch()) << "still refused after the action ended";
}

} // namespace
} // namespace qm
