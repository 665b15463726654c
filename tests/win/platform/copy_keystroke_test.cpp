#include "platform/copy_keystroke.h"

#include "editor_window.h"
#include "clipboard_text.h"
#include "platform/clipboard.h"
#include "platform/process_facts.h"
#include "platform/unique_handle.h"
#include "pump.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace qm {
namespace {

void SendKeys(const std::vector<std::pair<WORD, bool>>& keys) {
    std::vector<INPUT> inputs;
    for (auto [vk, up] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The user still holds the hotkey's modifiers when the copy is sent, and lets go
// of them only afterwards: they are modifiers again until then.
TEST(CopyKeystroke, CopiesWhileHotkeyModifiersAreHeldWithoutOpeningTheMenu) {
    struct Row {
        const char* name;
        std::vector<WORD> held;
    };
    const Row rows[] = {
        // The hotkey swallows its main key, so the window saw Alt alone go down.
        {"alt", {VK_LMENU}},
        {"ctrl alt", {VK_LCONTROL, VK_LMENU}},
        {"shift", {VK_LSHIFT}},
    };
    UniqueHwnd owner(
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    test::EditorWindow editor(L"hello");
    for (const Row& row : rows) {
        editor.Reset();
        ASSERT_TRUE(test::WriteClipboardText(owner.get(), u"before"));
        std::vector<std::pair<WORD, bool>> press, release;
        for (WORD key : row.held) {
            press.push_back({key, false});
            release.insert(release.begin(), {key, true});
        }
        SendKeys(press);
        test::PumpFor(50);

        SendCopyKeystroke(CopyTarget::Application);
        bool copied =
            test::PumpUntil([&] { return ReadClipboardText(owner.get(), 100) == u"hello"; }, 2000);
        EXPECT_TRUE(copied) << row.name;
        for (WORD key : row.held)
            EXPECT_TRUE(GetAsyncKeyState(key) & 0x8000)
                << row.name << ": " << key << " is still held, so it must be down again";

        SendKeys(release);
        test::PumpFor(100);
        EXPECT_FALSE(editor.MenuWasOpened()) << row.name;
    }
}

// A process at the same level, here this one seen from outside, is no obstacle; its
// program is named by file name alone, as the terminal table expects.
TEST(CopyKeystroke, ProcessAtTheSameLevelTakesKeys) {
    const ProcessFacts self = QueryProcessFacts(GetCurrentProcessId());
    const IntegrityProbe own = OwnIntegrity();
    EXPECT_TRUE(self.integrity.opened);
    EXPECT_EQ(self.integrity.rid, own.rid);
    EXPECT_TRUE(own.rid.has_value()) << "levels must be compared, not skipped";
    EXPECT_EQ(self.exe_name, "qm_win_tests.exe");
    EXPECT_FALSE(InjectedKeysWouldBeDropped(self.integrity, own, nullptr));
    EXPECT_FALSE(QueryProcessFacts(0xFFFFFFF0).integrity.opened) << "no such process";
}

// Wine has no integrity levels, so nothing is refused here; the other answers are
// Windows' own: a window that answers, one whose thread takes no messages, one gone.
TEST(CopyKeystroke, ReachProbeTellsAnAnswerFromSilence) {
    UniqueHwnd own(
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ProbeWindowReach(own.get()), ReachProbe::Answered);

    UniqueHandle created(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HWND deaf = nullptr;
    std::thread owner([&] {
        UniqueHwnd window(
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        deaf = window.get();
        SetEvent(created.get());
        WaitForSingleObject(release.get(), INFINITE);
    });
    ASSERT_EQ(WaitForSingleObject(created.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(ProbeWindowReach(deaf), ReachProbe::TimedOut);
    SetEvent(release.get());
    owner.join();
    EXPECT_EQ(ProbeWindowReach(deaf), ReachProbe::Failed) << "the window is gone";
}

} // namespace
} // namespace qm
