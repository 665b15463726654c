#include "settings/settings_file.h"
#include "hotkey/hotkey_control.h"
#include "hotkey_test_support.h"
#include "platform/per_user_settings.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace qm::test;

class HotKeyStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteFileW(TestIniPath().c_str());
        DeleteRegistryKey();
        parent_ = CreateParentWindow();
        ASSERT_TRUE(parent_);
    }
    void TearDown() override {
        DeleteFileW(TestIniPath().c_str());
        DeleteRegistryKey();
    }
    void DeleteRegistryKey() {
        std::string key = "Software\\VB and VBA Program Settings\\" + app_;
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    }
    std::unique_ptr<HotKey> Load(const HotKeyOptions& options) {
        auto hotkey = std::make_unique<HotKey>();
        EXPECT_TRUE(hotkey->Create(parent_.get(), 0, 0, 200, 24, options));
        return hotkey;
    }
    HotKeyOptions RegistryOptions() {
        HotKeyOptions options = TestOptions();
        options.setting_location = 1;
        options.reg_key_name = app_;
        return options;
    }

    const std::string app_ = "QuenmarkHotKeyTest-" + TestName();
    UniqueHwnd parent_;
};

TEST_F(HotKeyStoreTest, SetIniRoundTrip) {
    auto first = Load(TestOptions());
    EXPECT_EQ(first->Text(), "NULL");
    EXPECT_EQ(first->KeyCode(), 0);
    EXPECT_EQ(first->ModKeyCode(), 0);
    EXPECT_EQ(IniPath(), TestIniPath());
    EXPECT_EQ(GetFileAttributesW(TestIniPath().c_str()), INVALID_FILE_ATTRIBUTES)
        << "loading must not create the file";

    PressKeys(first->text_box(), {VK_CONTROL, 'Q'});
    first->SaveSettings();
    EXPECT_EQ(ReadWholeFile(TestIniPath()),
              "[hotkey]\r\nHotKey1Text=Ctrl + Q\r\nHotKey1KeyCode=81\r\nHotKey1ModKeyCode=2\r\n");

    auto second = Load(TestOptions());
    EXPECT_EQ(second->Text(), "Ctrl + Q");
    EXPECT_EQ(second->KeyCode(), 81);
    EXPECT_EQ(second->ModKeyCode(), 2);
}

TEST_F(HotKeyStoreTest, SaveWritesToTheFileNamedAtThatMoment) {
    auto hotkey = Load(TestOptions());
    PressKeys(hotkey->text_box(), {VK_F9});
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    SetIniFileIn(temp, "qm-hotkey-later.ini");
    const std::wstring later = IniPath();
    DeleteFileW(later.c_str());

    hotkey->SaveSettings();
    EXPECT_EQ(ReadIniString("hotkey", "HotKey1Text", "?"), "F9");
    EXPECT_EQ(GetFileAttributesW(TestIniPath().c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(later.c_str());
}

TEST_F(HotKeyStoreTest, CorruptFilesLoadAndSaveSaneValues) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 131 + 7) & 0xFF);
    struct Row {
        const char* name;
        std::string file;
        const char* text;
        int key_code, mod_key_code;
    };
    const Row rows[] = {
        {"binary garbage", garbage + "\r\n[hotkey]\r\nHotKey1KeyCode=\x01\xff\r\n", "NULL", 0, 0},
        {"huge line",
         "[hotkey]\r\nHotKey1Text=" + std::string(100000, 'x') +
             "\r\nHotKey1KeyCode=81\r\nHotKey1ModKeyCode=2\r\n",
         "Ctrl + Q", 81, 2},
        {"empty codes", "[hotkey]\r\nHotKey1Text=Q\r\nHotKey1KeyCode=\r\nHotKey1ModKeyCode=\r\n",
         "NULL", 0, 0},
        {"words", "[hotkey]\r\nHotKey1KeyCode=abc\r\nHotKey1ModKeyCode=1e3\r\n", "NULL", 0, 0},
        {"too big", "[hotkey]\r\nHotKey1KeyCode=99999999999\r\nHotKey1ModKeyCode=-2\r\n", "NULL", 0,
         0},
        {"out of range", "[hotkey]\r\nHotKey1KeyCode=70000\r\nHotKey1ModKeyCode=16\r\n", "NULL", 0,
         0},
        // Shown as Ctrl + Alt + W, but plain W would be registered.
        {"modifiers out of range",
         "[hotkey]\r\nHotKey1Text=Ctrl + Alt + W\r\nHotKey1KeyCode=87\r\nHotKey1ModKeyCode=-1\r\n",
         "NULL", 0, 0},
        {"text of another combination",
         "[hotkey]\r\nHotKey1Text=Ctrl + Alt + W\r\nHotKey1KeyCode=81\r\nHotKey1ModKeyCode=2\r\n",
         "Ctrl + Q", 81, 2},
    };
    for (const Row& row : rows) {
        WriteWholeFile(TestIniPath(), row.file);
        auto hotkey = Load(TestOptions());
        EXPECT_EQ(hotkey->Text(), row.text) << row.name;
        EXPECT_EQ(hotkey->KeyCode(), row.key_code) << row.name;
        EXPECT_EQ(hotkey->ModKeyCode(), row.mod_key_code) << row.name;

        hotkey->SaveSettings();
        EXPECT_EQ(ReadIniString("hotkey", "HotKey1KeyCode", "?"), std::to_string(row.key_code))
            << row.name;
        EXPECT_EQ(ReadIniString("hotkey", "HotKey1ModKeyCode", "?"),
                  std::to_string(row.mod_key_code))
            << row.name;
        EXPECT_EQ(ReadIniString("hotkey", "HotKey1Text", "?"), row.text) << row.name;
        DeleteFileW(TestIniPath().c_str());
    }
}

TEST_F(HotKeyStoreTest, RegistryModeUsesOnlyTheRegistry) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    SetIniFileIn(temp, "qm-hotkey-sentinel.ini");
    const std::wstring sentinel = IniPath();
    DeleteFileW(sentinel.c_str());
    ASSERT_TRUE(WritePerUserSetting(app_, "hotkey", "HotKey1Text", "Ctrl + Q"));
    ASSERT_TRUE(WritePerUserSetting(app_, "hotkey", "HotKey1KeyCode", "81"));
    ASSERT_TRUE(WritePerUserSetting(app_, "hotkey", "HotKey1ModKeyCode", "2"));

    auto hotkey = Load(RegistryOptions());
    EXPECT_EQ(hotkey->Text(), "Ctrl + Q");
    EXPECT_EQ(hotkey->KeyCode(), 81);
    EXPECT_EQ(hotkey->ModKeyCode(), 2);
    EXPECT_EQ(IniPath(), sentinel) << "registry mode must not choose a settings file";

    PressKeys(hotkey->text_box(), {VK_F9});
    hotkey->SaveSettings();
    EXPECT_EQ(ReadPerUserSetting(app_, "hotkey", "HotKey1Text", "?"), "F9");
    EXPECT_EQ(ReadPerUserSetting(app_, "hotkey", "HotKey1KeyCode", "?"), "120");
    EXPECT_EQ(ReadPerUserSetting(app_, "hotkey", "HotKey1ModKeyCode", "?"), "0");
    EXPECT_EQ(GetFileAttributesW(sentinel.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(TestIniPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HotKeyStoreTest, OddRegistryValuesGiveDefaults) {
    UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, PerUserSettingsKeyPath(app_, "hotkey").c_str(), 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    DWORD number = 81;
    RegSetValueExA(key.get(), "HotKey1KeyCode", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number),
                   sizeof(number));
    // Text without its closing NUL, and a value far too big to be ours.
    RegSetValueExA(key.get(), "HotKey1Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("Ctrl + Q"),
                   8);
    std::string huge(200000, '7');
    RegSetValueExA(key.get(), "HotKey1ModKeyCode", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(huge.c_str()),
                   static_cast<DWORD>(huge.size() + 1));

    auto hotkey = Load(RegistryOptions());
    EXPECT_EQ(hotkey->Text(), "NULL");
    EXPECT_EQ(hotkey->KeyCode(), 0);
    EXPECT_EQ(hotkey->ModKeyCode(), 0);
}

TEST_F(HotKeyStoreTest, StorageOptionsCannotChangeAtRunTime) {
    auto hotkey = Load(TestOptions());
    const std::wstring path = IniPath();
    EXPECT_FALSE(hotkey->SetINIFileName("other.ini"));
    EXPECT_FALSE(hotkey->SetSettingLocation(1));
    EXPECT_FALSE(hotkey->SetRegKeyName("other"));
    EXPECT_EQ(hotkey->INIFileName(), TestIniName());
    EXPECT_EQ(hotkey->SettingLocation(), 0);
    EXPECT_EQ(hotkey->RegKeyName(), "hotkey");
    EXPECT_EQ(IniPath(), path);
}

} // namespace
} // namespace qm
