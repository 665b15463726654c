#include "auto_start/auto_start_command.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace qm {
namespace {

TEST(AutoStartCommand, SeparatorAndQuotingReadBackAsTheSameProgram) {
    const struct {
        const wchar_t *folder, *base, *command;
    } rows[] = {
        {L"D:\\Tools", L"finder", L"D:\\Tools\\finder.exe"},
        {L"D:\\", L"finder", L"D:\\\\finder.exe"}, // inserted even after a drive root
        {L"C:\\Program Files\\Q", L"quenmark", L"\"C:\\Program Files\\Q\\quenmark.exe\""},
        {L"C:\\Tools", L"my finder", L"\"C:\\Tools\\my finder.exe\""},
        {L"\\\\server\\share", L"q", L"\\\\server\\share\\q.exe"},
        {L"C:\\\u041f\u043e\u0438\u0441\u043a \u0141", L"q",
         L"\"C:\\\u041f\u043e\u0438\u0441\u043a \u0141\\q.exe\""},
    };
    for (const auto& row : rows) {
        std::wstring command = AutoStartCommand(row.folder, row.base);
        std::wstring path = std::wstring(row.folder) + L"\\" + row.base + L".exe";
        EXPECT_EQ(command, row.command);
        EXPECT_EQ(CommandProgramPath(command), path) << command;
        EXPECT_TRUE(SameProgramPath(command, path)) << command;
    }
    EXPECT_TRUE(SameProgramPath(L"C:\\Q\\Q.EXE", L"\"c:\\q\\q.exe\""));
    EXPECT_FALSE(SameProgramPath(L"C:\\a\\q.exe", L"C:\\b\\q.exe"));
    EXPECT_FALSE(SameProgramPath(L"  ", L"\"\""));
}

TEST(AutoStartCommand, ProgramPathOfValuesReadBack) {
    const struct {
        const wchar_t *value, *path;
    } rows[] = {
        {L"  D:\\Tools\\finder.exe \t", L"D:\\Tools\\finder.exe"},
        {L" \"C:\\Program Files\\q.exe\" /min", L"C:\\Program Files\\q.exe"},
        {L"\"C:\\Unclosed Quote\\q.exe", L"C:\\Unclosed Quote\\q.exe"},
        {L"\" C:\\q.exe \"", L"C:\\q.exe"},
        {L"", L""},
        {L" \t\r\n", L""},
        {L"\"   \"", L""},
        {L"\"", L""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CommandProgramPath(row.value), row.path) << '[' << row.value << ']';
        EXPECT_EQ(IsAutoStartValuePresent(row.value), *row.path != L'\0')
            << '[' << row.value << ']';
    }
}

TEST(AutoStartCommand, TaskManagersSwitchHoldsBackAnEntry) {
    using Bytes = std::vector<unsigned char>;
    const Bytes stamp = {0xd4, 0x0d, 0x43, 0x8d, 0xc8, 0x3b, 0xd9, 0x01};
    auto value = [&](unsigned char flags) {
        Bytes bytes = {flags, 0, 0, 0};
        bytes.insert(bytes.end(), stamp.begin(), stamp.end());
        return bytes;
    };
    const struct {
        const char* name;
        std::optional<Bytes> approval;
        bool off;
    } rows[] = {
        {"no switch", std::nullopt, false},
        {"empty value", Bytes{}, false},
        {"on", value(0x02), false},
        {"on, other flags", value(0x06), false},
        {"off", value(0x03), true},
        {"off, other flags", value(0x07), true},
        {"off, first byte only", Bytes{0x03}, true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsStartupSwitchedOff(row.approval), row.off) << row.name;
        EXPECT_EQ(StartsWithWindows(L"C:\\q.exe", row.approval), !row.off) << row.name;
        EXPECT_FALSE(StartsWithWindows(L"  ", row.approval)) << row.name;
    }
    EXPECT_STREQ(StartupApprovedSubkey(true, true), L"Run32");
    EXPECT_STREQ(StartupApprovedSubkey(true, false), L"Run");
    EXPECT_STREQ(StartupApprovedSubkey(false, true), L"Run");
    EXPECT_STREQ(StartupApprovedSubkey(false, false), L"Run");
}

// A copy in the user's own profile gets a per-user entry: a machine-wide one would point
// every user of the PC into that profile. One in another user's profile gets none: that
// user could replace the exe, which would then run as this user.
TEST(AutoStartCommand, CopiesInAProfileAreTold) {
    const wchar_t *alice = L"C:\\Users\\alice", *users = L"C:\\Users";
    using P = ProfilePlace;
    const struct {
        const wchar_t *folder, *profile, *profiles;
        P place;
    } rows[] = {
        {L"C:\\Users\\alice\\AppData\\Local\\Programs\\Quenmark Search", alice, users, P::Own},
        {L"c:\\users\\ALICE\\Downloads\\", alice, users, P::Own},
        {L"C:\\Users\\bob\\Downloads", alice, users, P::Another},
        {L"C:\\Users\\Public\\Tools", alice, users, P::Another},
        {L"C:\\Users\\alice2\\Tools", alice, users, P::Another},
        {L"C:\\UsersX\\Tools", alice, users, P::Outside},
        {L"C:\\Program Files\\Quenmark Search", alice, users, P::Outside},
        {L"D:\\alice\\Tools", L"D:\\alice", users, P::Own}, // a profile outside the folder
        {L"D:\\Tools", L"D:\\alice", users, P::Outside},
        {L"\\\\srv\\home\\p\\bob", L"\\\\srv\\home\\p\\alice", L"\\\\srv\\home\\p", P::Another},
        {L"C:\\Users\\bob", alice, L"C:\\Users\\", P::Another},
        {L"C:\\Tools", L"", L"", P::Outside}, // nothing known
        {L"C:\\Users\\bob", L"", users, P::Another},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PlaceAmongProfiles(row.folder, row.profile, row.profiles), row.place)
            << row.folder;
}

} // namespace
} // namespace qm
