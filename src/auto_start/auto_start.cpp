#include "auto_start/auto_start.h"

#include "auto_start/auto_start_command.h"
#include "platform/program_path.h"
#include "platform/registry.h"

#include <utility>

namespace qm {

namespace {
// Task Manager, a 64-bit program, keeps the machine-wide switches in the 64-bit view,
// also the "Run32" ones for a 32-bit program's values: without this flag a 32-bit
// program's access would be redirected to Wow6432Node, where Windows never looks.
// HKCU\Software has one view only, so the flag changes nothing there.
constexpr REGSAM kSwitchView = KEY_WOW64_64KEY;

bool RemoveOffSwitch(RunKeyStore& store, HKEY root) {
    return !IsStartupSwitchedOff(store.ReadSwitch(root)) || store.DeleteSwitch(root);
}
} // namespace

RegistryRunKeyStore::RegistryRunKeyStore(std::wstring key_path, std::wstring value_name,
                                         std::wstring switch_parent_path)
    : key_path_(std::move(key_path)), value_name_(std::move(value_name)),
      switch_parent_path_(std::move(switch_parent_path)) {}

bool RegistryRunKeyStore::Write(HKEY root, const std::wstring& data) {
    return WriteRegistryText(root, key_path_, value_name_, data);
}

bool RegistryRunKeyStore::Delete(HKEY root) {
    return DeleteRegistryValue(root, key_path_, value_name_);
}

std::wstring RegistryRunKeyStore::Read(HKEY root) {
    return ReadRegistryText(root, key_path_, value_name_).value_or(L"");
}

std::wstring RegistryRunKeyStore::SwitchKey(HKEY root) const {
    return switch_parent_path_ + L"\\" +
           StartupApprovedSubkey(root == HKEY_LOCAL_MACHINE, IsWow64Process());
}

std::optional<std::vector<unsigned char>> RegistryRunKeyStore::ReadSwitch(HKEY root) {
    return ReadRegistryBinary(root, SwitchKey(root), value_name_, kSwitchView);
}

bool RegistryRunKeyStore::DeleteSwitch(HKEY root) {
    return DeleteRegistryValue(root, SwitchKey(root), value_name_, kSwitchView);
}

RunKeyStore& SystemRunKeyStore() {
    static RegistryRunKeyStore store(kRunKeyPath, kAutoStartValueName, kStartupApprovedPath);
    return store;
}

ProfileFolders ThisUsersProfileFolders() {
    return {UserProfileFolder(), ProfilesFolder()};
}

bool InAnotherUsersProfile(const ProfileFolders& profiles) {
    return PlaceAmongProfiles(ProgramFolder(), profiles.own, profiles.all) == ProfilePlace::Another;
}

bool SetAutoStart(bool enable, RunKeyStore& store, const ProfileFolders* given_profiles) {
    if (!enable) {
        bool machine_clear = store.Delete(HKEY_LOCAL_MACHINE);
        bool user_clear = store.Delete(HKEY_CURRENT_USER);
        // A switch left behind would hold back an entry written later by hand; one this
        // user may not remove starts nothing without its entry.
        store.DeleteSwitch(HKEY_LOCAL_MACHINE);
        store.DeleteSwitch(HKEY_CURRENT_USER);
        return machine_clear && user_clear;
    }
    std::wstring command = AutoStartCommand(ProgramFolder(), ExeBaseName());
    const ProfileFolders profiles = given_profiles ? *given_profiles : ThisUsersProfileFolders();
    const ProfilePlace place = PlaceAmongProfiles(ProgramFolder(), profiles.own, profiles.all);
    // Run elevated with an administrator's password, a copy in a standard user's Downloads
    // would name, in the administrator's entry, a file that user can replace.
    if (place == ProfilePlace::Another) {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            if (SameProgramPath(store.Read(root), command))
                store.Delete(root);
        return false;
    }
    // A copy in the own profile, even run elevated, starts for this user only: a machine-wide
    // entry would point every user of the PC into one profile, where a standard user
    // could not untick it, nor the uninstaller, running as this user, remove it.
    if (place == ProfilePlace::Own) {
        // An entry an earlier elevated run made for this copy moves, where this user may
        // remove it; one that stays still starts the copy, and a second would start it twice.
        if (SameProgramPath(store.Read(HKEY_LOCAL_MACHINE), command)) {
            if (!store.Delete(HKEY_LOCAL_MACHINE))
                return RemoveOffSwitch(store, HKEY_LOCAL_MACHINE);
            store.DeleteSwitch(HKEY_LOCAL_MACHINE);
        }
        return store.Write(HKEY_CURRENT_USER, command) && RemoveOffSwitch(store, HKEY_CURRENT_USER);
    }
    // One entry only: a second one would start a second copy at logon. So a
    // per-user fallback left from an earlier run goes once the machine-wide
    // entry is in place, and none is added while the machine-wide one already
    // names this program. An entry switched off in Task Manager starts nothing, so
    // ticking the box switches it on again.
    if ((store.Write(HKEY_LOCAL_MACHINE, command) ||
         SameProgramPath(store.Read(HKEY_LOCAL_MACHINE), command)) &&
        RemoveOffSwitch(store, HKEY_LOCAL_MACHINE)) {
        // Failing to remove it leaves a duplicate of the same program, which the
        // next clearing of the box removes; nothing to tell the user.
        store.Delete(HKEY_CURRENT_USER);
        store.DeleteSwitch(HKEY_CURRENT_USER);
        return true;
    }
    return store.Write(HKEY_CURRENT_USER, command) && RemoveOffSwitch(store, HKEY_CURRENT_USER);
}

bool IsAutoStartSet(RunKeyStore& store) {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        if (StartsWithWindows(store.Read(root), store.ReadSwitch(root)))
            return true;
    }
    return false;
}

int AutoStartBoxAfterClick(int box_state, RunKeyStore& store, const ProfileFolders* profiles) {
    SetAutoStart(box_state == 1, store, profiles);
    return IsAutoStartSet(store) ? 1 : 0;
}

void RemoveEveryAutoStartEntry() {
    // The 32-bit shipped exe writes the machine-wide value into the 32-bit view; a
    // 64-bit build, or an entry made by hand, into the other.
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoStartValueName, view);
    DeleteRegistryValue(HKEY_CURRENT_USER, kRunKeyPath, kAutoStartValueName);
    const std::wstring switches = std::wstring(kStartupApprovedPath) + L"\\";
    for (const wchar_t* subkey : {L"Run", L"Run32"})
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, switches + subkey, kAutoStartValueName,
                            kSwitchView);
    DeleteRegistryValue(HKEY_CURRENT_USER, switches + L"Run", kAutoStartValueName);
}

} // namespace qm
