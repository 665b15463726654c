#include "settings/settings_file.h"
#include "hotkey/hotkey_control.h"
#include "hotkey/hotkey_field_subclass.h"
#include "hotkey_test_support.h"
#include "platform/copy_keystroke.h"
#include "platform/keyboard.h"
#include "pump.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace qm::test;

// A combination no test machine uses for anything else.
constexpr int kRareKey = VK_F11;
constexpr int kRareMods = MOD_CONTROL | MOD_ALT | MOD_SHIFT;

std::string Shown(HWND edit) {
    char text[256] = {};
    GetWindowTextA(edit, text, sizeof(text));
    return text;
}

class HotKeyControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteFileW(TestIniPath().c_str());
        parent_ = CreateParentWindow();
        ASSERT_TRUE(parent_);
    }
    void TearDown() override { DeleteFileW(TestIniPath().c_str()); }

    // A control that loads the rare combination from its settings file.
    std::unique_ptr<HotKey> LoadRare(const std::string& name) {
        SetIniFile(TestIniName());
        WriteIniString("hotkey", name + "Text", "Ctrl + Alt + Shift + F11");
        WriteIniString("hotkey", name + "KeyCode", std::to_string(kRareKey));
        WriteIniString("hotkey", name + "ModKeyCode", std::to_string(kRareMods));
        return Load(name);
    }
    std::unique_ptr<HotKey> Load(const std::string& name) {
        auto hotkey = std::make_unique<HotKey>();
        EXPECT_TRUE(hotkey->Create(parent_.get(), 0, 0, 200, 24, TestOptions(name)));
        return hotkey;
    }
    // Whether another window may take the rare combination, i.e. nobody holds it.
    bool RareCombinationIsFree() {
        UniqueHwnd probe(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr));
        if (!RegisterHotKey(probe.get(), 7, kRareMods, kRareKey))
            return false;
        UnregisterHotKey(probe.get(), 7);
        return true;
    }

    UniqueHwnd parent_;
};

TEST_F(HotKeyControlTest, RegistrationRules) {
    ErrorBoxWatch boxes;
    auto first = LoadRare("HotKey1");
    EXPECT_FALSE(first->HotKeyEnabled()) << "never registered at load";
    int asked = 0;
    first->ConfirmCharacterTaken = [&](const std::u16string&) { return ++asked == 0; };
    first->SetHotKeyEnabled(true);
    EXPECT_EQ(asked, 0) << "a function key types no character on any layout";
    // Wine, like the US layout, types nothing with Ctrl + Alt: no one is ever asked here.
    EXPECT_FALSE(CharacterTypedOnThisPc('Q', MOD_CONTROL | MOD_ALT));
    first->SetHotKeyEnabled(true); // registers once: a second attempt would clash
    EXPECT_TRUE(first->HotKeyEnabled());
    EXPECT_FALSE(RareCombinationIsFree());
    first->SetHotKeyEnabled(false);
    EXPECT_TRUE(RareCombinationIsFree());
    first->SetHotKeyEnabled(true);

    auto empty = Load("HotKey3");
    empty->SetHotKeyEnabled(true);
    EXPECT_FALSE(empty->HotKeyEnabled());
    EXPECT_EQ(empty->Text(), "NULL");

    auto second = LoadRare("HotKey2");
    second->SetHotKeyEnabled(true);
    EXPECT_TRUE(first->HotKeyEnabled());
    EXPECT_FALSE(second->HotKeyEnabled());
    EXPECT_EQ(second->Text(), "NULL");
    EXPECT_EQ(second->KeyCode(), 0);
    EXPECT_EQ(second->ModKeyCode(), 0);
    EXPECT_EQ(first->Text(), "Ctrl + Alt + Shift + F11");

    second->SaveSettings();
    EXPECT_EQ(ReadIniString("hotkey", "HotKey2Text", "?"), "NULL");
    EXPECT_EQ(ReadIniString("hotkey", "HotKey2KeyCode", "?"), "0");
    EXPECT_EQ(ReadIniString("hotkey", "HotKey2ModKeyCode", "?"), "0");
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Not set hotkey",
                                                       "Hotkey repeat, replace it with a hotkey"}));
}

TEST_F(HotKeyControlTest, AHostsErrorHandlerTakesThePlaceOfTheBox) {
    ErrorBoxWatch boxes;
    auto hotkey = Load("HotKey1");
    std::vector<std::string> reported;
    hotkey->ReportError = [&](const char* message) { reported.push_back(message); };
    hotkey->SetHotKeyEnabled(true);
    EXPECT_FALSE(hotkey->HotKeyEnabled());
    EXPECT_EQ(reported, (std::vector<std::string>{"Not set hotkey"}));
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(HotKeyControlTest, KeysInTheFieldChangeOnlyTheCapture) {
    auto hotkey = LoadRare("HotKey1");
    hotkey->SetHotKeyEnabled(true);
    int key_downs = 0;
    hotkey->KeyDown = [&](int& key_code, int&) {
        ++key_downs;
        if (key_code == 'X')
            key_code = 'W'; // a handler may change what is captured
    };
    HWND edit = hotkey->text_box();
    SendMessageA(edit, WM_CHAR, 'a', 1);
    SendMessageA(edit, WM_PASTE, 0, 0);
    PressKeys(edit, {VK_APPS});
    EXPECT_EQ(key_downs, 0) << "the Applications key raises no KeyDown";
    EXPECT_TRUE(hotkey->HotKeyEnabled()) << "nor does it unregister";
    EXPECT_EQ(Shown(edit), "Ctrl + Alt + Shift + F11");

    PressKeys(edit, {VK_SHIFT, 'X'});
    EXPECT_EQ(key_downs, 2);
    EXPECT_FALSE(hotkey->HotKeyEnabled()) << "editing unregisters";
    EXPECT_TRUE(RareCombinationIsFree());
    EXPECT_EQ(hotkey->Text(), "Shift + W");
    EXPECT_EQ(hotkey->KeyCode(), 'W');
    EXPECT_EQ(hotkey->ModKeyCode(), MOD_SHIFT);
    EXPECT_EQ(Shown(edit), "Shift + W");
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 9u);
    EXPECT_EQ(end, 9u) << "caret at the end";
}

// A field with the focus takes any combination: every control's registration is
// withdrawn meanwhile. Keys the program injects are not captured, and the copy
// keys are refused like a taken combination.
TEST_F(HotKeyControlTest, FocusedFieldTakesAnyCombinationButNotTheCopyKeys) {
    ErrorBoxWatch boxes;
    auto first = LoadRare("HotKey1");
    first->SetHotKeyEnabled(true);
    auto second = Load("HotKey2");
    ShowWindow(parent_.get(), SW_SHOW);
    SetForegroundWindow(parent_.get());
    SetFocus(second->text_box());
    EXPECT_TRUE(RareCombinationIsFree()) << "still registered while a field has the focus";
    EXPECT_TRUE(first->HotKeyEnabled());

    SendCopyKeystroke(CopyTarget::Application);
    PumpFor(200);
    EXPECT_EQ(second->Text(), "NULL") << "an injected key became a combination";

    PressKeys(second->text_box(), {VK_CONTROL, 'C'});
    EXPECT_EQ(second->Text(), "Ctrl + C");
    SetFocus(parent_.get());
    EXPECT_FALSE(RareCombinationIsFree()) << "not registered again when the field let go";
    second->SetHotKeyEnabled(true);
    EXPECT_FALSE(second->HotKeyEnabled());
    EXPECT_EQ(second->Text(), "NULL");
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Hotkey repeat, replace it with a hotkey"}));
}

TEST_F(HotKeyControlTest, HotKeyMessageReachesItsOwnControlOnly) {
    auto first = Load("HotKey1");
    auto second = Load("HotKey2");
    int first_pressed = 0, second_pressed = 0;
    first->HotKeyPressed = [&] { ++first_pressed; };
    second->HotKeyPressed = [&] { ++second_pressed; };
    PostMessageA(first->message_window(), WM_HOTKEY, 1, 0);
    PostMessageA(first->message_window(), WM_HOTKEY, 1, 0);
    PumpMessages();
    EXPECT_EQ(first_pressed, 2);
    EXPECT_EQ(second_pressed, 0);
    // Answering 0 here would refuse the user's log-off or shut-down.
    EXPECT_NE(SendMessageA(first->message_window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
}

// Notes, while a window is being destroyed, whether the control's hooks are still on it.
struct DestroySpy {
    bool destroyed = false;
    bool object_property_left = false;
    bool hook_left = false;
};

LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                         DWORD_PTR ref_data) {
    if (message == WM_NCDESTROY) {
        auto* spy = reinterpret_cast<DestroySpy*>(ref_data);
        spy->destroyed = true;
        spy->object_property_left = GetPropA(window, kObjectProperty) != nullptr;
        spy->hook_left = IsHotKeyWindowHooked(window) || IsTextBoxHooked(window);
        RemoveWindowSubclass(window, SpyProc, id);
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

TEST_F(HotKeyControlTest, TeardownUnhooksThenDestroys) {
    auto hotkey = LoadRare("HotKey1");
    ASSERT_NE(GetPropA(hotkey->message_window(), kObjectProperty), nullptr);
    ASSERT_TRUE(IsHotKeyWindowHooked(hotkey->message_window()));
    ASSERT_TRUE(IsTextBoxHooked(hotkey->text_box()));
    hotkey->SetHotKeyEnabled(true);
    DestroySpy message_spy, text_box_spy;
    SetWindowSubclass(hotkey->message_window(), SpyProc, 1,
                      reinterpret_cast<DWORD_PTR>(&message_spy));
    SetWindowSubclass(hotkey->text_box(), SpyProc, 1, reinterpret_cast<DWORD_PTR>(&text_box_spy));
    HWND message_window = hotkey->message_window();

    hotkey.reset();
    EXPECT_FALSE(IsWindow(message_window));
    for (const DestroySpy* spy : {&message_spy, &text_box_spy}) {
        EXPECT_TRUE(spy->destroyed);
        EXPECT_FALSE(spy->object_property_left);
        EXPECT_FALSE(spy->hook_left);
    }
    EXPECT_TRUE(RareCombinationIsFree());
}

TEST_F(HotKeyControlTest, HostWindowDestroyedFirst) {
    auto hotkey = LoadRare("HotKey1");
    hotkey->SetHotKeyEnabled(true);
    HWND message_window = hotkey->message_window();
    parent_.reset();
    EXPECT_EQ(hotkey->text_box(), nullptr);
    EXPECT_EQ(hotkey->hwnd(), nullptr);
    EXPECT_TRUE(IsWindow(message_window)) << "the registration outlives the host window";
    hotkey.reset();
    EXPECT_FALSE(IsWindow(message_window));
    EXPECT_TRUE(RareCombinationIsFree());
}

} // namespace
} // namespace qm
