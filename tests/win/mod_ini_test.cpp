#include "controller/settings/mod_ini.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

namespace qm {
namespace {

// Each test gets its own folder under the temp folder.
class ModIniTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "qm-ini-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveAll();
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override { RemoveAll(); }
    void RemoveAll() {
        DeleteFileA((folder_ + "\\set.ini").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string folder_;
};

TEST_F(ModIniTest, DefaultsEmptyValuesAndLongValues) {
    SetIniFileIn(folder_, "set.ini");
    EXPECT_EQ(IniPath(), folder_ + "\\set.ini");
    EXPECT_EQ(ReadIniString("check", "checka", "1"), "1"); // no file yet
    WriteIniString("check", "checka", "");
    EXPECT_EQ(ReadIniString("check", "checka", "1"), "");   // present but empty
    EXPECT_EQ(ReadIniString("check", "checkb", "1"), "1");  // missing key
    EXPECT_EQ(ReadIniString("nosuch", "checka", "x"), "x"); // missing section
    WriteIniString("hotkey", "HotKey1Text", std::string(300, 'v'));
    EXPECT_EQ(ReadIniString("hotkey", "HotKey1Text", "NULL"), std::string(254, 'v'));
}

TEST_F(ModIniTest, SameKeyInTwoSectionsIsIndependent) {
    SetIniFileIn(folder_, "set.ini");
    WriteIniString("check", "checka", "1");
    WriteIniString("auto", "checka", "0");
    EXPECT_EQ(ReadIniString("check", "checka", "9"), "1");
    EXPECT_EQ(ReadIniString("auto", "checka", "9"), "0");
}

TEST_F(ModIniTest, FileLayoutFollowsWriteOrder) {
    SetIniFileIn(folder_, "set.ini");
    WriteIniString("hotkey", "HotKey1Text", "Ctrl + Q");
    WriteIniString("hotkey", "HotKey1KeyCode", "81");
    WriteIniString("check", "checka", "1");
    WriteIniString("auto", "checka", "1");
    EXPECT_EQ(ReadFile(folder_ + "\\set.ini"),
              "[hotkey]\r\nHotKey1Text=Ctrl + Q\r\nHotKey1KeyCode=81\r\n"
              "[check]\r\nchecka=1\r\n[auto]\r\nchecka=1\r\n");
}

TEST_F(ModIniTest, DriveRootGetsOneSeparator) {
    SetIniFileIn("C:\\", "set.ini");
    EXPECT_EQ(IniPath(), "C:\\set.ini");
}

TEST_F(ModIniTest, GarbageFileReadsWithoutCrash) {
    {
        std::ofstream out(folder_ + "\\set.ini", std::ios::binary);
        for (int i = 0; i < 4096; ++i)
            out.put(static_cast<char>((i * 131) & 0xFF));
        out << "\n[hotkey]\nHotKey1Text=" << std::string(100000, 'x') << "\n";
    }
    SetIniFileIn(folder_, "set.ini");
    EXPECT_LE(ReadIniString("hotkey", "HotKey1Text", "NULL").size(), 254u);
    EXPECT_EQ(ReadIniString("check", "checka", "1"), "1");
}

TEST_F(ModIniTest, UnwritableFileFallsBackToPerUserCopy) {
    SetIniFileIn(folder_, "set.ini");
    WriteIniString("hotkey", "HotKey1Text", "Ctrl + Q");
    // Another process holding the file without write sharing stands in for a
    // read-only program folder (root ignores file permissions under Wine).
    HANDLE lock = CreateFileA((folder_ + "\\set.ini").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    // The per-user folder goes into this test's folder, never the real one.
    char appdata[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("APPDATA", appdata, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    SetEnvironmentVariableA("APPDATA", folder_.c_str());
    const std::string per_user_folder = folder_ + "\\Quenmark Search";

    SetIniFileIn(folder_, "set.ini");
    CloseHandle(lock);
    SetEnvironmentVariableA("APPDATA", appdata);
    EXPECT_EQ(IniPath(), per_user_folder + "\\set.ini");
    EXPECT_EQ(ReadIniString("hotkey", "HotKey1Text", "NULL"),
              "Ctrl + Q"); // started from the old values
    WriteIniString("hotkey", "HotKey1Text", "F9");
    EXPECT_EQ(ReadIniString("hotkey", "HotKey1Text", "NULL"), "F9");
    DeleteFileA(IniPath().c_str());
    RemoveDirectoryA(per_user_folder.c_str());
}

} // namespace
} // namespace qm
