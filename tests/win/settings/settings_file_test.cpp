#include "settings/settings_file.h"
#include "platform/text_codec.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace qm {
namespace {

// Each test gets its own folder under the temp folder.
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"qm-ini-" +
                  AnsiToWide(::testing::UnitTest::GetInstance()->current_test_info()->name());
        RemoveAll();
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override { RemoveAll(); }
    void RemoveAll() {
        SetFileAttributesW(IniFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(IniFile().c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring IniFile() const { return folder_ + L"\\set.ini"; }
    std::string ReadFile(const std::wstring& path) {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::wstring folder_;
};

TEST_F(SettingsFileTest, DefaultsEmptyValuesAndLongValues) {
    SetIniFileIn(folder_, "set.ini");
    EXPECT_EQ(IniPath(), IniFile());
    EXPECT_EQ(ReadIniString("check", "checka", "1"), "1"); // no file yet
    WriteIniString("check", "checka", "");
    EXPECT_EQ(ReadIniString("check", "checka", "1"), "");   // present but empty
    EXPECT_EQ(ReadIniString("check", "checkb", "1"), "1");  // missing key
    EXPECT_EQ(ReadIniString("nosuch", "checka", "x"), "x"); // missing section
    WriteIniString("hotkey", "HotKey1Text", std::string(300, 'v'));
    EXPECT_EQ(ReadIniString("hotkey", "HotKey1Text", "NULL"), std::string(254, 'v'));
}

TEST_F(SettingsFileTest, SameKeyInTwoSectionsIsIndependent) {
    SetIniFileIn(folder_, "set.ini");
    WriteIniString("check", "checka", "1");
    WriteIniString("auto", "checka", "0");
    EXPECT_EQ(ReadIniString("check", "checka", "9"), "1");
    EXPECT_EQ(ReadIniString("auto", "checka", "9"), "0");
}

TEST_F(SettingsFileTest, ABatchReadsTheFileOnceAndAgainAfterASave) {
    SetIniFileIn(folder_, "set.ini");
    WriteIniString("check", "checka", "1");
    const auto write_behind_its_back = [&](const char* bytes) {
        std::ofstream(std::filesystem::path(IniFile()), std::ios::binary) << bytes;
    };
    {
        IniReadBatch reads;
        EXPECT_EQ(ReadIniString("check", "checka", "9"), "1");
        write_behind_its_back("[check]\r\nchecka=2\r\n");
        EXPECT_EQ(ReadIniString("check", "checka", "9"), "1"); // as first read
        WriteIniString("check", "checkb", "0");                // a save reads it anew
        EXPECT_EQ(ReadIniString("check", "checka", "9"), "2");
        write_behind_its_back("[check]\r\nchecka=3\r\n");
    }
    EXPECT_EQ(ReadIniString("check", "checka", "9"), "3"); // no batch: the disk
}

TEST_F(SettingsFileTest, FileLayoutFollowsWriteOrder) {
    SetIniFileIn(folder_, "set.ini");
    WriteIniString("hotkey", "HotKey1Text", "Ctrl + Q");
    WriteIniString("hotkey", "HotKey1KeyCode", "81");
    WriteIniString("check", "checka", "1");
    WriteIniString("auto", "checka", "1");
    EXPECT_EQ(ReadFile(IniFile()), "[hotkey]\r\nHotKey1Text=Ctrl + Q\r\nHotKey1KeyCode=81\r\n"
                                   "[check]\r\nchecka=1\r\n[auto]\r\nchecka=1\r\n");
}

TEST_F(SettingsFileTest, UnicodeFileStaysUnicodeAndKeepsItsEngines) {
    // Notepad's "Unicode": UTF-16 with a byte-order mark.
    auto utf16 = [](const std::u16string& text) {
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    };
    const std::u16string engines = u"[engines]\r\n\u767e\u5ea6=https://www.baidu.com/s?wd=\r\n";
    {
        std::ofstream out(std::filesystem::path(IniFile()), std::ios::binary);
        out << utf16(u"\uFEFF[check]\r\nchecka=1\r\n" + engines);
    }
    SetIniFileIn(folder_, "set.ini");
    WriteIniString("check", "checka", "0");
    EXPECT_EQ(ReadIniString("check", "checka", "9"), "0");
    EXPECT_EQ(ReadFile(IniFile()), utf16(u"\uFEFF[check]\r\nchecka=0\r\n" + engines));
    IniSection section = ReadIniSectionLines("engines");
    ASSERT_EQ(section.lines.size(), 1u);
    EXPECT_EQ(section.lines[0].text, "\xE7\x99\xBE\xE5\xBA\xA6=https://www.baidu.com/s?wd=");
}

TEST_F(SettingsFileTest, DriveRootGetsOneSeparator) {
    SetIniFileIn(L"C:\\", "set.ini");
    EXPECT_EQ(IniPath(), L"C:\\set.ini");
}

TEST_F(SettingsFileTest, GarbageFileReadsWithoutCrash) {
    {
        std::ofstream out(std::filesystem::path(IniFile()), std::ios::binary);
        for (int i = 0; i < 4096; ++i)
            out.put(static_cast<char>((i * 131) & 0xFF));
        out << "\n[hotkey]\nHotKey1Text=" << std::string(100000, 'x') << "\n";
    }
    SetIniFileIn(folder_, "set.ini");
    EXPECT_LE(ReadIniString("hotkey", "HotKey1Text", "NULL").size(), 254u);
    EXPECT_EQ(ReadIniString("check", "checka", "1"), "1");
}

TEST_F(SettingsFileTest, OnlyARefusedWriteFallsBackToPerUserCopy) {
    // The per-user folder goes into this test's folder, never the real one.
    wchar_t appdata[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"APPDATA", appdata, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    const std::wstring per_user = folder_ + L"\\Quenmark Search\\set.ini";
    const struct {
        const char* name;
        std::wstring folder;    // where set.ini is looked for
        DWORD lock_released_ms; // another program holds it without write sharing this long
        std::wstring chosen;
    } rows[] = {
        // Root may write anything under Wine, but no one may create files in sysfs.
        {"folder refusing new files", L"Z:\\sys", 0, per_user},
        {"file locked for a moment", folder_, 300, IniFile()},
    };
    for (const auto& row : rows) {
        SetIniFileIn(folder_, "set.ini");
        WriteIniString("hotkey", "HotKey1Text", "Ctrl + Q");
        HANDLE lock = INVALID_HANDLE_VALUE;
        std::thread unlock;
        if (row.lock_released_ms) {
            lock = CreateFileW(IniFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE) << row.name;
            unlock = std::thread([lock, &row] {
                Sleep(row.lock_released_ms);
                CloseHandle(lock);
            });
        }
        SetEnvironmentVariableW(L"APPDATA", folder_.c_str());
        SetIniFileIn(row.folder, "set.ini");
        SetEnvironmentVariableW(L"APPDATA", appdata);
        if (unlock.joinable())
            unlock.join();

        EXPECT_EQ(IniPath(), row.chosen) << row.name;
        WriteIniString("hotkey", "HotKey1Text", "F9");
        EXPECT_EQ(ReadIniString("hotkey", "HotKey1Text", "NULL"), "F9") << row.name;
        DeleteFileW(per_user.c_str());
        RemoveDirectoryW((folder_ + L"\\Quenmark Search").c_str());
    }
}

} // namespace
} // namespace qm
