#include "controller/auto_start.h"

#include "controller/auto_start_command.h"
#include "platform/program_path.h"
#include "platform/unique_handle.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace qm {
namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const HKEY kUser = HKEY_CURRENT_USER;

// Roots can refuse writes or deletes, as they do for a user without the
// right to change machine-wide settings.
class FakeRunKeyStore : public RunKeyStore {
  public:
    bool Write(HKEY root, const std::string& data) override {
        return !refuse_write[root] && (values[root] = data, true);
    }
    bool Delete(HKEY root) override { return !refuse_delete[root] && (values.erase(root), true); }
    std::string Read(HKEY root) override { return values.count(root) ? values[root] : ""; }

    std::map<HKEY, std::string> values;
    std::map<HKEY, bool> refuse_write, refuse_delete;
};

std::string OwnCommand() {
    return AutoStartCommand(ProgramFolder(), ExeBaseName());
}

void SetRaw(HKEY root, const std::string& path, const char* name, DWORD type,
            const std::string& bytes) {
    HKEY raw = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr),
        ERROR_SUCCESS);
    UniqueHkey key(raw);
    ASSERT_EQ(RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

TEST(AutoStart, EnablingPrefersTheMachineAndFallsBackToTheUser) {
    const std::string own = OwnCommand(), other = "C:\\Elsewhere\\quenmark.exe";
    const struct {
        const char* name;
        bool machine_refuses, user_refuses;
        std::string machine_before, user_before;
        bool result;
        std::string machine_after, user_after;
    } rows[] = {
        {"both writable", false, false, "", "", true, own, ""},
        {"machine refused", true, false, "", "", true, "", own},
        {"both refused", true, true, "", "", false, "", ""},
        {"stale user entry goes", false, false, "", own, true, own, ""},
        {"machine already names us", true, false, own, "", true, own, ""},
        {"machine names another", true, false, other, "", true, other, own},
    };
    for (const auto& row : rows) {
        FakeRunKeyStore store;
        store.refuse_write = {{kMachine, row.machine_refuses}, {kUser, row.user_refuses}};
        store.values = {{kMachine, row.machine_before}, {kUser, row.user_before}};
        EXPECT_EQ(SetAutoStart(true, store), row.result) << row.name;
        EXPECT_EQ(store.Read(kMachine), row.machine_after) << row.name;
        EXPECT_EQ(store.Read(kUser), row.user_after) << row.name;
        EXPECT_EQ(IsAutoStartSet(store), row.result) << row.name;
    }
}

TEST(AutoStart, ClearingRemovesBothAndReportsWhatIsLeft) {
    for (bool machine_refuses : {false, true}) {
        FakeRunKeyStore store;
        store.values = {{kMachine, OwnCommand()}, {kUser, OwnCommand()}};
        store.refuse_delete[kMachine] = machine_refuses;
        EXPECT_EQ(SetAutoStart(false, store), !machine_refuses);
        EXPECT_EQ(store.Read(kUser), "");
        EXPECT_EQ(IsAutoStartSet(store), machine_refuses);
    }
}

// Values under a throwaway key, for both the raw read and the presence test.
TEST(AutoStart, OnlyNonBlankStringValuesCount) {
    const std::string key = "Software\\QuenmarkTest";
    const struct {
        DWORD type;
        std::string bytes, read;
        bool present;
    } rows[] = {
        {REG_SZ, std::string("C:\\q.exe\0", 9), "C:\\q.exe", true},
        {REG_SZ, "C:\\q.exe", "C:\\q.exe", true}, // no terminating NUL
        {REG_SZ, std::string("C:\\q.exe\0junk\0", 14), "C:\\q.exe", true},
        {REG_SZ, std::string("\"C:\\a b\\q.exe\"\0", 15), "\"C:\\a b\\q.exe\"", true},
        {REG_SZ, std::string("   \0", 4), "   ", false},
        {REG_SZ, std::string("\"\"\0", 3), "\"\"", false},
        {REG_SZ, "", "", false},
        {REG_SZ, std::string(100000, 'x'), "", false}, // longer than any command line
        {REG_EXPAND_SZ, std::string("C:\\q.exe\0", 9), "", false},
        {REG_DWORD, std::string("\1\0\0\0", 4), "", false},
    };
    RegistryRunKeyStore store(key, kAutoStartValueName);
    for (HKEY root : {kMachine, kUser}) {
        for (const auto& row : rows) {
            RegDeleteTreeA(kMachine, key.c_str());
            RegDeleteTreeA(kUser, key.c_str());
            EXPECT_FALSE(IsAutoStartSet(store));
            SetRaw(root, key, kAutoStartValueName, row.type, row.bytes);
            EXPECT_EQ(ReadRegString(root, key, kAutoStartValueName), row.read) << row.read;
            EXPECT_EQ(IsAutoStartSet(store), row.present) << row.read;
        }
    }
    EXPECT_EQ(ReadRegString(kUser, key + "\\Missing", kAutoStartValueName), "");
    RegDeleteTreeA(kMachine, key.c_str());
    RegDeleteTreeA(kUser, key.c_str());
}

// The real Run key: written, read back and removed alone; what was there
// before is put back.
TEST(AutoStart, RealRunValueWrittenReadBackAndClearedAlone) {
    const char* neighbour = "QuenmarkTestNeighbour";
    std::map<HKEY, std::string> saved;
    for (HKEY root : {kMachine, kUser})
        saved[root] = ReadRegString(root, kRunKeyPath, kAutoStartValueName);
    SetRaw(kMachine, kRunKeyPath, neighbour, REG_SZ, std::string("C:\\n.exe\0", 9));

    EXPECT_TRUE(SetAutoStart(true));
    EXPECT_EQ(ReadRegString(kMachine, kRunKeyPath, kAutoStartValueName), OwnCommand());
    EXPECT_TRUE(IsAutoStartSet());
    EXPECT_TRUE(SetAutoStart(false));
    EXPECT_FALSE(IsAutoStartSet());
    EXPECT_EQ(ReadRegString(kMachine, kRunKeyPath, neighbour), "C:\\n.exe");

    RegDeleteKeyValueA(kMachine, kRunKeyPath, neighbour);
    RegistryRunKeyStore real(kRunKeyPath, kAutoStartValueName);
    for (const auto& [root, value] : saved)
        value.empty() ? real.Delete(root) : real.Write(root, value);
}

} // namespace
} // namespace qm
