#include "controller/auto_start.h"

#include "controller/auto_start_command.h"
#include "platform/program_path.h"
#include "platform/registry.h"

#include <utility>

namespace qm {

RegistryRunKeyStore::RegistryRunKeyStore(std::wstring key_path, std::wstring value_name)
    : key_path_(std::move(key_path)), value_name_(std::move(value_name)) {}

bool RegistryRunKeyStore::Write(HKEY root, const std::wstring& data) {
    return WriteRegistryText(root, key_path_, value_name_, data);
}

bool RegistryRunKeyStore::Delete(HKEY root) {
    return DeleteRegistryValue(root, key_path_, value_name_);
}

std::wstring RegistryRunKeyStore::Read(HKEY root) {
    return ReadRegistryText(root, key_path_, value_name_).value_or(L"");
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
