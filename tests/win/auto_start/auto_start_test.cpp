#include "auto_start/auto_start.h"

#include "auto_start/auto_start_command.h"
#include "platform/program_path.h"
#include "platform/registry.h"
#include "platform/unique_handle.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qm {
namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const HKEY kUser = HKEY_CURRENT_USER;

// Roots can refuse writes or deletes, as they do for a user without the
// right to change machine-wide settings.
class FakeRunKeyStore : public RunKeyStore {
  public:
    bool Write(HKEY root, const std::wstring& data) override {
        return !refuse_write[root] && (values[root] = data, true);
    }
    bool Delete(HKEY root) override { return !refuse_delete[root] && (values.erase(root), true); }
    std::wstring Read(HKEY root) override { return values.count(root) ? values[root] : L""; }
    std::optional<std::vector<unsigned char>> ReadSwitch(HKEY root) override {
        return switches.count(root) ? std::optional(switches[root]) : std::nullopt;
    }
    bool DeleteSwitch(HKEY root) override {
        return !refuse_switch[root] && (switches.erase(root), true);
    }

    std::map<HKEY, std::wstring> values;
    std::map<HKEY, std::vector<unsigned char>> switches;
    std::map<HKEY, bool> refuse_write, refuse_delete, refuse_switch;
};

const std::vector<unsigned char> kSwitchedOff = {3,    0,    0,    0,    0xd4, 0x0d,
                                                 0x43, 0x8d, 0xc8, 0x3b, 0xd9, 0x01};
const std::vector<unsigned char> kSwitchedOn = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

std::wstring OwnCommand() {
    return AutoStartCommand(ProgramFolder(), ExeBaseName());
}

// Data as the registry keeps it: UTF-16 characters, NULs only where the row has them.
void SetRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
            const std::wstring& data) {
    UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

void SetRawBinary(HKEY root, const std::wstring& path, const wchar_t* name,
                  const std::vector<unsigned char>& data) {
    UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.get(), name, 0, REG_BINARY, data.data(),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
}

// What the Run entry's reading makes of a value: empty unless it is REG_SZ text.
std::wstring ReadRegString(HKEY root, const std::wstring& path, const std::wstring& name) {
    return ReadRegistryText(root, path, name).value_or(L"");
}

// A copy outside any profile prefers the machine; a copy in one (the installer's
// %LOCALAPPDATA%, Downloads) keeps to the user, also when it may write the machine's.
TEST(AutoStart, EnablingPrefersTheMachineAndFallsBackToTheUser) {
    const std::wstring own = OwnCommand(), other = L"C:\\Elsewhere\\quenmark.exe";
    enum Place { kOutside, kOwn, kAnother };
    const ProfileFolders places[] = {{L"C:\\Users\\nobody", L"C:\\Users"},
                                     {ProgramFolder(), L"C:\\Users"},
                                     {L"C:\\Users\\nobody", ProgramFolder()}};
    const struct {
        const char* name;
        Place in_profile;
        bool machine_refuses, user_refuses;
        std::wstring machine_before, user_before;
        bool result;
        std::wstring machine_after, user_after;
    } rows[] = {
        {"both writable", kOutside, false, false, L"", L"", true, own, L""},
        {"machine refused", kOutside, true, false, L"", L"", true, L"", own},
        {"both refused", kOutside, true, true, L"", L"", false, L"", L""},
        {"stale user entry goes", kOutside, false, false, L"", own, true, own, L""},
        {"machine already names us", kOutside, true, false, own, L"", true, own, L""},
        {"machine names another", kOutside, true, false, other, L"", true, other, own},
        {"in a profile: the user's", kOwn, false, false, L"", L"", true, L"", own},
        {"in a profile: the machine's entry moves", kOwn, false, false, own, L"", true, L"", own},
        {"in a profile: the machine's stays", kOwn, true, false, own, L"", true, own, L""},
        {"in a profile: another's is kept", kOwn, false, false, other, L"", true, other, own},
        {"in a profile: user refused", kOwn, false, true, L"", L"", false, L"", L""},
        {"another's profile: nothing", kAnother, false, false, L"", L"", false, L"", L""},
        {"another's profile: old entries go", kAnother, false, false, own, own, false, L"", L""},
    };
    for (const auto& row : rows) {
        FakeRunKeyStore store;
        store.refuse_write = {{kMachine, row.machine_refuses}, {kUser, row.user_refuses}};
        store.refuse_delete = {{kMachine, row.machine_refuses}};
        store.values = {{kMachine, row.machine_before}, {kUser, row.user_before}};
        const ProfileFolders& profile = places[row.in_profile];
        EXPECT_EQ(SetAutoStart(true, store, &profile), row.result) << row.name;
        EXPECT_EQ(store.Read(kMachine), row.machine_after) << row.name;
        EXPECT_EQ(store.Read(kUser), row.user_after) << row.name;
        EXPECT_EQ(IsAutoStartSet(store), row.result) << row.name;
        EXPECT_EQ(AutoStartBoxAfterClick(1, store, &profile), row.result ? 1 : 0) << row.name;
        EXPECT_EQ(InAnotherUsersProfile(profile), row.in_profile == kAnother) << row.name;
    }
}

// An entry switched off in Task Manager starts nothing: the box shows clear, and
// ticking it switches the entry on again wherever that can be done.
TEST(AutoStart, SwitchedOffEntryCountsAsClearAndTickingSwitchesItOn) {
    const std::wstring own = OwnCommand();
    const struct {
        const char* name;
        bool machine_off, user_off, machine_switch_refused;
        bool set_before;
        std::wstring machine_after, user_after;
    } rows[] = {
        {"machine off", true, false, false, false, own, L""},
        {"machine switch may not be removed", true, false, true, false, own, own},
        {"user off, machine on", false, true, false, true, own, L""},
        {"both off", true, true, false, false, own, L""},
    };
    for (const auto& row : rows) {
        FakeRunKeyStore store;
        store.values = {{kMachine, own}, {kUser, row.user_off ? own : L""}};
        if (row.machine_off)
            store.switches[kMachine] = kSwitchedOff;
        if (row.user_off)
            store.switches[kUser] = kSwitchedOff;
        store.refuse_switch[kMachine] = row.machine_switch_refused;
        store.refuse_write[kMachine] = row.machine_switch_refused;
        EXPECT_EQ(IsAutoStartSet(store), row.set_before) << row.name;
        EXPECT_EQ(AutoStartBoxAfterClick(1, store), 1) << row.name;
        EXPECT_EQ(store.Read(kMachine), row.machine_after) << row.name;
        EXPECT_EQ(store.Read(kUser), row.user_after) << row.name;
        EXPECT_EQ(store.switches.count(kUser), 0u) << row.name;
        EXPECT_EQ(store.switches.count(kMachine), row.machine_switch_refused ? 1u : 0u) << row.name;
    }
    FakeRunKeyStore store;
    store.values = {{kMachine, own}};
    store.switches = {{kMachine, kSwitchedOn}, {kUser, kSwitchedOff}};
    EXPECT_TRUE(IsAutoStartSet(store)) << "a switch that is on changes nothing";
    EXPECT_EQ(AutoStartBoxAfterClick(0, store), 0);
    EXPECT_TRUE(store.values.empty() && store.switches.empty()) << "clearing takes the switches";
}

TEST(AutoStart, ClearingRemovesBothAndTheBoxShowsWhatIsLeft) {
    for (bool machine_refuses : {false, true}) {
        FakeRunKeyStore store;
        store.values = {{kMachine, OwnCommand()}, {kUser, OwnCommand()}};
        store.refuse_delete[kMachine] = machine_refuses;
        // An entry an earlier elevated run wrote, which this user may not delete,
        // still starts the program: the box must stay ticked.
        EXPECT_EQ(AutoStartBoxAfterClick(0, store), machine_refuses ? 1 : 0) << machine_refuses;
        EXPECT_EQ(store.Read(kUser), L"");
        EXPECT_EQ(IsAutoStartSet(store), machine_refuses);
        EXPECT_EQ(SetAutoStart(false, store), !machine_refuses);
    }
}

// Values under a throwaway key, for both the raw read and the presence test.
TEST(AutoStart, OnlyNonBlankStringValuesCount) {
    const std::wstring key = L"Software\\QuenmarkTest";
    const struct {
        DWORD type;
        std::wstring data, read;
        bool present;
    } rows[] = {
        {REG_SZ, std::wstring(L"C:\\q.exe\0", 9), L"C:\\q.exe", true},
        {REG_SZ, L"C:\\q.exe", L"C:\\q.exe", true}, // no terminating NUL
        {REG_SZ, std::wstring(L"C:\\q.exe\0junk\0", 14), L"C:\\q.exe", true},
        {REG_SZ, std::wstring(L"\"C:\\a b\\q.exe\"\0", 15), L"\"C:\\a b\\q.exe\"", true},
        {REG_SZ, std::wstring(L"C:\\\u041f\u0443\u0442\u044c\\q.exe\0", 15),
         L"C:\\\u041f\u0443\u0442\u044c\\q.exe", true},
        {REG_SZ, std::wstring(L"   \0", 4), L"   ", false},
        {REG_SZ, std::wstring(L"\"\"\0", 3), L"\"\"", false},
        {REG_SZ, L"", L"", false},
        {REG_SZ, std::wstring(50000, L'x'), L"", false}, // longer than any command line
        {REG_EXPAND_SZ, std::wstring(L"C:\\q.exe\0", 9), L"", false},
        {REG_DWORD, std::wstring(L"\1\0", 2), L"", false},
    };
    RegistryRunKeyStore store(key, kAutoStartValueName, key + L"\\Approved");
    for (HKEY root : {kMachine, kUser}) {
        for (const auto& row : rows) {
            RegDeleteTreeW(kMachine, key.c_str());
            RegDeleteTreeW(kUser, key.c_str());
            EXPECT_FALSE(IsAutoStartSet(store));
            SetRaw(root, key, kAutoStartValueName, row.type, row.data);
            EXPECT_EQ(ReadRegString(root, key, kAutoStartValueName), row.read) << row.read;
            EXPECT_EQ(IsAutoStartSet(store), row.present) << row.read;
        }
    }
    EXPECT_EQ(ReadRegString(kUser, key + L"\\Missing", kAutoStartValueName), L"");
    RegDeleteTreeW(kMachine, key.c_str());
    RegDeleteTreeW(kUser, key.c_str());
}

// The real Run key: written, read back and removed alone; what was there
// before is put back.
TEST(AutoStart, RealRunValueWrittenReadBackAndClearedAlone) {
    const wchar_t* neighbour = L"QuenmarkTestNeighbour";
    std::map<HKEY, std::wstring> saved;
    for (HKEY root : {kMachine, kUser})
        saved[root] = ReadRegString(root, kRunKeyPath, kAutoStartValueName);
    SetRaw(kMachine, kRunKeyPath, neighbour, REG_SZ, std::wstring(L"C:\\n.exe\0", 9));

    EXPECT_TRUE(SetAutoStart(true));
    EXPECT_EQ(ReadRegString(kMachine, kRunKeyPath, kAutoStartValueName), OwnCommand());
    EXPECT_TRUE(IsAutoStartSet());
    EXPECT_TRUE(SetAutoStart(false));
    EXPECT_FALSE(IsAutoStartSet());
    EXPECT_EQ(ReadRegString(kMachine, kRunKeyPath, neighbour), L"C:\\n.exe");

    // Task Manager's switch, where this build's machine-wide entry has it.
    const std::wstring switches = std::wstring(kStartupApprovedPath) + L"\\Run";
    SetRaw(kMachine, kRunKeyPath, kAutoStartValueName, REG_SZ, OwnCommand());
    SetRawBinary(kMachine, switches, kAutoStartValueName, kSwitchedOff);
    EXPECT_FALSE(IsAutoStartSet()) << "switched off";
    EXPECT_TRUE(SetAutoStart(true));
    EXPECT_TRUE(IsAutoStartSet()) << "ticking switches it on";
    EXPECT_EQ(ReadRegistryBinary(kMachine, switches, kAutoStartValueName), std::nullopt);
    SetRawBinary(kMachine, switches, kAutoStartValueName, kSwitchedOn);
    EXPECT_TRUE(SetAutoStart(false));
    EXPECT_EQ(ReadRegistryBinary(kMachine, switches, kAutoStartValueName), std::nullopt);

    RegDeleteKeyValueW(kMachine, kRunKeyPath, neighbour);
    RegistryRunKeyStore real(kRunKeyPath, kAutoStartValueName, kStartupApprovedPath);
    for (const auto& [root, value] : saved)
        value.empty() ? real.Delete(root) : real.Write(root, value);
}

} // namespace
} // namespace qm
