// A save replaces set.ini whole: killed at any moment it leaves the old file or the
// new one.
#include "platform/whole_file.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <random>
#include <string>

namespace qm {
namespace {

class SettingsSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const std::string name = Name();
        folder_ = std::wstring(temp) + L"qm-save-" + std::wstring(name.begin(), name.end());
        CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = folder_ + L"\\set.ini";
    }
    void TearDown() override {
        for (const std::wstring& name : {path_, SavingName(path_), folder_ + L"\\link.ini"}) {
            SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(name.c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }
    static std::string Name() {
        return ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }
    void Write(const std::string& bytes) {
        std::ofstream(path_.c_str(), std::ios::binary) << bytes;
    }
    std::string Read(const std::wstring& path) {
        std::ifstream in(path.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    unsigned long Save(const char* value) {
        BeginIniSave();
        WriteIniString("check", "checka", value);
        return EndIniSave();
    }
    static ULONGLONG Size(const std::wstring& path) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
        return ULONGLONG{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
    }
    // Changes when the file is replaced, not when it is left alone.
    static ULONGLONG FileIndex(const std::wstring& path) {
        HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        BY_HANDLE_FILE_INFORMATION info{};
        GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        return ULONGLONG{info.nFileIndexHigh} << 32 | info.nFileIndexLow;
    }
    std::wstring folder_, path_;
};

TEST_F(SettingsSaveTest, AKillAtAnyMomentLeavesTheOldFileOrTheNew) {
    // Another tool's section of about 900 KB, then ours; each save changes the length.
    std::string other = "[other tool]\r\n";
    for (int i = 0; other.size() < 900 * 1024; ++i)
        other += "key" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
    const std::string one = other + "[check]\r\nchecka=1\r\n";
    const std::string hundred = other + "[check]\r\nchecka=100\r\n";
    Write(one);
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring saver = exe;
    saver = saver.substr(0, saver.rfind(L'\\') + 1) + L"settings_saver.exe";
    std::mt19937 random(32);
    int mid_save = 0;
    for (int kill = 0; kill < 30; ++kill) {
        std::wstring command = L"\"" + saver + L"\" \"" + folder_ + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(saver.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &process));
        // Saving by the time the file has changed once.
        const ULONGLONG start = Size(path_);
        for (int wait = 0; wait < 5000 && Size(path_) == start; ++wait)
            Sleep(1);
        // Every other kill once the new file is being written, where it matters most.
        const ULONGLONG give_up = GetTickCount64() + 5000;
        while (kill % 2 && GetTickCount64() < give_up &&
               GetFileAttributesW(SavingName(path_).c_str()) == INVALID_FILE_ATTRIBUTES) {
        }
        Sleep(random() % (kill % 2 ? 3 : 40));
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        const std::string left = Read(path_);
        ASSERT_TRUE(left == one || left == hundred) << "kill " << kill << ": " << left.size();
        mid_save += GetFileAttributesW(SavingName(path_).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::printf("%d of 30 kills came in the middle of writing the new file\n", mid_save);
    SetIniFileIn(folder_, "set.ini"); // the next start removes what a crash left
    EXPECT_EQ(GetFileAttributesW(SavingName(path_).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsSaveTest, ReplacedWholeKeepingAttributesAndHardLinks) {
    const std::wstring link = folder_ + L"\\link.ini";
    for (bool hard_linked : {false, true}) {
        Write("[check]\r\nchecka=1\r\n");
        SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_HIDDEN);
        // A second name of the file keeps seeing what the first one holds.
        ASSERT_TRUE(!hard_linked || CreateHardLinkW(link.c_str(), path_.c_str(), nullptr));
        SetIniFileIn(folder_, "set.ini");
        EXPECT_EQ(Save("0"), 0u) << hard_linked;
        EXPECT_EQ(Read(path_), "[check]\r\nchecka=0\r\n") << hard_linked;
        EXPECT_EQ(Read(link), hard_linked ? Read(path_) : "") << hard_linked;
        EXPECT_TRUE(GetFileAttributesW(path_.c_str()) & FILE_ATTRIBUTE_HIDDEN) << hard_linked;
        EXPECT_EQ(GetFileAttributesW(SavingName(path_).c_str()), INVALID_FILE_ATTRIBUTES);
        // Nothing changed: nothing written, not even the same bytes again.
        const ULONGLONG index = FileIndex(path_);
        EXPECT_EQ(Save("0"), 0u) << hard_linked;
        EXPECT_EQ(FileIndex(path_), index) << hard_linked;
        SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(SettingsSaveTest, AValueHeldFromTheStartIsNotSavedOverUnlessChanged) {
    Write("[check]\r\nchecka=1\r\n");
    SetIniFileIn(folder_, "set.ini");
    HANDLE held = CreateFileW(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ReadIniString("check", "checka", "0"), "0"); // held past the wait: the default
    CloseHandle(held);
    EXPECT_EQ(Save("0"), 0u);
    EXPECT_EQ(Read(path_), "[check]\r\nchecka=1\r\n"); // the user's value stays
    EXPECT_EQ(Save("2"), 0u);
    EXPECT_EQ(Read(path_), "[check]\r\nchecka=2\r\n"); // a change is saved
}

} // namespace
} // namespace qm
