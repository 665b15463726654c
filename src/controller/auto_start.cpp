#include "controller/auto_start.h"

#include "controller/auto_start_command.h"
#include "platform/program_path.h"
#include "platform/unique_handle.h"

#include <utility>

namespace qm {

namespace {
// A command line cannot be longer than this, so a larger value cannot start
// anything; refusing it also keeps a corrupt size from allocating gigabytes.
constexpr DWORD kMaxValueBytes = 64 * 1024;
} // namespace

std::wstring ReadRegString(HKEY root, const std::wstring& key_path,
                           const std::wstring& value_name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, key_path.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return {};
    UniqueHkey key(raw);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size == 0 || size > kMaxValueBytes)
        return {};
    // One spare character: the stored data need not end in a NUL.
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = size;
    if (RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &read) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    buffer.resize(read / sizeof(wchar_t));
    size_t nul = buffer.find(L'\0');
    if (nul != std::wstring::npos)
        buffer.resize(nul);
    return buffer;
}

RegistryRunKeyStore::RegistryRunKeyStore(std::wstring key_path, std::wstring value_name)
    : key_path_(std::move(key_path)), value_name_(std::move(value_name)) {}

bool RegistryRunKeyStore::Write(HKEY root, const std::wstring& data) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(root, key_path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueHkey key(raw);
    return RegSetValueExW(key.get(), value_name_.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegistryRunKeyStore::Delete(HKEY root) {
    // Only opened, never created: a missing key holds no value to remove.
    HKEY raw = nullptr;
    LONG opened = RegOpenKeyExW(root, key_path_.c_str(), 0, KEY_SET_VALUE, &raw);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    UniqueHkey key(raw);
    LONG deleted = RegDeleteValueW(key.get(), value_name_.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

std::wstring RegistryRunKeyStore::Read(HKEY root) {
    return ReadRegString(root, key_path_, value_name_);
}

RunKeyStore& SystemRunKeyStore() {
    static RegistryRunKeyStore store(kRunKeyPath, kAutoStartValueName);
    return store;
}

bool SetAutoStart(bool enable, RunKeyStore& store) {
    if (!enable) {
        bool machine_clear = store.Delete(HKEY_LOCAL_MACHINE);
        bool user_clear = store.Delete(HKEY_CURRENT_USER);
        return machine_clear && user_clear;
    }
    std::wstring command = AutoStartCommand(ProgramFolder(), ExeBaseName());
    // One entry only: a second one would start a second copy at logon. So a
    // per-user fallback left from an earlier run goes once the machine-wide
    // entry is in place, and none is added while the machine-wide one already
    // names this program.
    if (store.Write(HKEY_LOCAL_MACHINE, command) ||
        SameProgramPath(store.Read(HKEY_LOCAL_MACHINE), command)) {
        // Failing to remove it leaves a duplicate of the same program, which the
        // next clearing of the box removes; nothing to tell the user.
        store.Delete(HKEY_CURRENT_USER);
        return true;
    }
    return store.Write(HKEY_CURRENT_USER, command);
}

bool IsAutoStartSet(RunKeyStore& store) {
    return IsAutoStartValuePresent(store.Read(HKEY_LOCAL_MACHINE)) ||
           IsAutoStartValuePresent(store.Read(HKEY_CURRENT_USER));
}

int AutoStartBoxAfterClick(int box_state, RunKeyStore& store) {
    SetAutoStart(box_state == 1, store);
    return IsAutoStartSet(store) ? 1 : 0;
}

} // namespace qm
