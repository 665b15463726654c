#include "controller/auto_start.h"

#include "controller/auto_start_command.h"
#include "platform/program_path.h"
#include "platform/unique_handle.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace qm {
namespace {

const std::string kTestKey = "Software\\QuenmarkTest";

// A store whose roots can refuse writes or deletes, as a user without the
// right to change machine-wide settings meets them.
class FakeRunKeyStore : public RunKeyStore {
  public:
    bool Write(HKEY root, const std::string& data) override {
        if (refuse_write.count(root))
            return false;
        values[root] = data;
        return true;
    }
    bool Delete(HKEY root) override {
        if (refuse_delete.count(root))
            return false;
        values.erase(root);
        return true;
    }
    std::string Read(HKEY root) override {
        auto found = values.find(root);
        return found == values.end() ? std::string() : found->second;
    }
    std::string Held(HKEY root) const {
        auto found = values.find(root);
        return found == values.end() ? "<none>" : found->second;
    }

    std::map<HKEY, std::string> values;
    std::set<HKEY> refuse_write;
    std::set<HKEY> refuse_delete;
};

std::string OwnCommand() {
    return AutoStartCommand(ProgramFolder(), ExeBaseName());
}

void SetRaw(HKEY root, const std::string& key_path, const char* name, DWORD type,
            const std::string& bytes) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key_path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                              nullptr),
              ERROR_SUCCESS);
    UniqueHkey key(raw);
    ASSERT_EQ(RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

bool KeyExists(HKEY root, const std::string& key_path) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, key_path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    RegCloseKey(raw);
    return true;
}

// Throwaway keys under both roots, removed before and after each test.
class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    void Clean() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey.c_str());
    }
};

TEST(AutoStart, EnablingPrefersTheMachineAndFallsBackToTheUser) {
    const std::string own = OwnCommand();
    const std::string other = "C:\\Elsewhere\\quenmark.exe";
    struct Row {
        const char* name;
        bool machine_refuses;
        bool user_refuses;
        std::string machine_before;
        std::string user_before;
        bool result;
        std::string machine_after;
        std::string user_after;
    };
    const Row rows[] = {
        {"both writable", false, false, "", "", true, own, "<none>"},
        {"machine refused", true, false, "", "", true, "<none>", own},
        {"both refused", true, true, "", "", false, "<none>", "<none>"},
        {"stale user entry goes", false, false, "", own, true, own, "<none>"},
        {"machine already names us", true, false, own, "", true, own, "<none>"},
        {"machine names another", true, false, other, "", true, other, own},
    };
    for (const Row& row : rows) {
        FakeRunKeyStore store;
        if (row.machine_refuses)
            store.refuse_write.insert(HKEY_LOCAL_MACHINE);
        if (row.user_refuses)
            store.refuse_write.insert(HKEY_CURRENT_USER);
        if (!row.machine_before.empty())
            store.values[HKEY_LOCAL_MACHINE] = row.machine_before;
        if (!row.user_before.empty())
            store.values[HKEY_CURRENT_USER] = row.user_before;
        EXPECT_EQ(SetAutoStart(true, store), row.result) << row.name;
        EXPECT_EQ(store.Held(HKEY_LOCAL_MACHINE), row.machine_after) << row.name;
        EXPECT_EQ(store.Held(HKEY_CURRENT_USER), row.user_after) << row.name;
        EXPECT_EQ(IsAutoStartSet(store), row.result) << row.name;
    }
}

TEST(AutoStart, ClearingRemovesBothAndReportsWhatIsLeft) {
    FakeRunKeyStore store;
    store.values[HKEY_LOCAL_MACHINE] = OwnCommand();
    store.values[HKEY_CURRENT_USER] = OwnCommand();
    EXPECT_TRUE(SetAutoStart(false, store));
    EXPECT_TRUE(store.values.empty());
    EXPECT_FALSE(IsAutoStartSet(store));

    store.values[HKEY_LOCAL_MACHINE] = OwnCommand();
    store.values[HKEY_CURRENT_USER] = OwnCommand();
    store.refuse_delete.insert(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(SetAutoStart(false, store));
    EXPECT_EQ(store.Held(HKEY_CURRENT_USER), "<none>");
    EXPECT_TRUE(IsAutoStartSet(store)) << "the machine-wide entry is still there";
}

TEST_F(RegistryTest, ReadRegStringTakesOnlyStrings) {
    struct Row {
        const char* name;
        DWORD type;
        std::string bytes;
        std::string expected;
    };
    const Row rows[] = {
        {"plain", REG_SZ, std::string("C:\\q.exe\0", 9), "C:\\q.exe"},
        {"no terminating nul", REG_SZ, "C:\\q.exe", "C:\\q.exe"},
        {"embedded nul", REG_SZ, std::string("C:\\q.exe\0junk\0", 14), "C:\\q.exe"},
        {"empty", REG_SZ, "", ""},
        {"blanks kept", REG_SZ, std::string("  \0", 3), "  "},
        {"expandable", REG_EXPAND_SZ, std::string("%WINDIR%\\q.exe\0", 15), ""},
        {"multi", REG_MULTI_SZ, std::string("C:\\q.exe\0\0", 10), ""},
        {"dword", REG_DWORD, std::string("\1\0\0\0", 4), ""},
        {"binary", REG_BINARY, "C:\\q.exe", ""},
        {"too large to be a command", REG_SZ, std::string(100000, 'x'), ""},
    };
    for (const Row& row : rows) {
        SetRaw(HKEY_CURRENT_USER, kTestKey, row.name, row.type, row.bytes);
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, row.name), row.expected) << row.name;
    }
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, "missing"), "");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey + "\\Missing", "plain"), "");
}

TEST_F(RegistryTest, BlankOrExpandableEntriesCountAsAbsent) {
    RegistryRunKeyStore store(kTestKey, kAutoStartValueName);
    struct Row {
        const char* name;
        HKEY root;
        DWORD type;
        std::string bytes;
        bool present;
    };
    const Row rows[] = {
        {"machine path", HKEY_LOCAL_MACHINE, REG_SZ, std::string("C:\\q.exe\0", 9), true},
        {"user path", HKEY_CURRENT_USER, REG_SZ, std::string("C:\\q.exe\0", 9), true},
        {"quoted path", HKEY_CURRENT_USER, REG_SZ, std::string("\"C:\\a b\\q.exe\"\0", 15), true},
        {"blanks", HKEY_LOCAL_MACHINE, REG_SZ, std::string("   \0", 4), false},
        {"empty quotes", HKEY_LOCAL_MACHINE, REG_SZ, std::string("\"\"\0", 3), false},
        {"expandable", HKEY_CURRENT_USER, REG_EXPAND_SZ, std::string("C:\\q.exe\0", 9), false},
    };
    for (const Row& row : rows) {
        Clean();
        EXPECT_FALSE(IsAutoStartSet(store)) << row.name;
        SetRaw(row.root, kTestKey, kAutoStartValueName, row.type, row.bytes);
        EXPECT_EQ(IsAutoStartSet(store), row.present) << row.name;
    }
}

TEST_F(RegistryTest, StoreDeletesOnlyItsValueAndCreatesNoKey) {
    RegistryRunKeyStore store(kTestKey, kAutoStartValueName);
    EXPECT_TRUE(store.Delete(HKEY_CURRENT_USER)) << "nothing there is already cleared";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTestKey));

    SetRaw(HKEY_CURRENT_USER, kTestKey, "neighbour", REG_SZ, std::string("C:\\n.exe\0", 9));
    ASSERT_TRUE(store.Write(HKEY_CURRENT_USER, "C:\\Program Files\\q.exe"));
    EXPECT_EQ(store.Read(HKEY_CURRENT_USER), "C:\\Program Files\\q.exe");
    EXPECT_TRUE(store.Delete(HKEY_CURRENT_USER));
    EXPECT_EQ(store.Read(HKEY_CURRENT_USER), "");
    EXPECT_TRUE(store.Delete(HKEY_CURRENT_USER));
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, "neighbour"), "C:\\n.exe");
}

// The real Run key: whatever was there before is put back afterwards.
class RealRunKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            saved_[root] = ReadRegString(root, kRunKeyPath, kAutoStartValueName);
    }
    void TearDown() override {
        HKEY raw = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_SET_VALUE, &raw) ==
            ERROR_SUCCESS) {
            UniqueHkey key(raw);
            RegDeleteValueA(key.get(), kNeighbour);
        }
        RegistryRunKeyStore store(kRunKeyPath, kAutoStartValueName);
        for (const auto& [root, value] : saved_) {
            if (value.empty())
                store.Delete(root);
            else
                store.Write(root, value);
        }
    }
    static constexpr const char* kNeighbour = "QuenmarkTestNeighbour";
    std::map<HKEY, std::string> saved_;
};

TEST_F(RealRunKeyTest, WrittenReadBackAndClearedAlone) {
    SetRaw(HKEY_LOCAL_MACHINE, kRunKeyPath, kNeighbour, REG_SZ, std::string("C:\\n.exe\0", 9));
    ASSERT_TRUE(SetAutoStart(true));
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoStartValueName), OwnCommand());
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRunKeyPath, kAutoStartValueName), "");
    EXPECT_TRUE(IsAutoStartSet());

    EXPECT_TRUE(SetAutoStart(false));
    EXPECT_FALSE(IsAutoStartSet());
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoStartValueName), "");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunKeyPath, kNeighbour), "C:\\n.exe");
}

} // namespace
} // namespace qm
