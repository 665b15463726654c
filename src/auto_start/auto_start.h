#pragma once
// regModule1: the auto-start value "quenmarksearch" under the Run key.
// The machine-wide key is tried first; a user without the right to change it
// gets the same value under HKEY_CURRENT_USER, so the program still starts
// with Windows for that user. A copy in the user's profile always gets the latter.
#include <windows.h>

#include "platform/program_path.h"

#include <optional>
#include <string>
#include <vector>

namespace qm {

// Where Run values live: one value of one key, under a given root, with the startup
// switch that Task Manager and Settings keep for it.
class RunKeyStore {
  public:
    virtual ~RunKeyStore() = default;
    // Writes the value as REG_SZ, creating the key if needed.
    virtual bool Write(HKEY root, const std::wstring& data) = 0;
    // True when the value is gone afterwards (also when it never existed).
    virtual bool Delete(HKEY root) = 0;
    // The value's text; empty for anything but an existing REG_SZ value.
    virtual std::wstring Read(HKEY root) = 0;
    // The switch's raw bytes; nullopt when there is none.
    virtual std::optional<std::vector<unsigned char>> ReadSwitch(HKEY root) = 0;
    // True when the switch is gone afterwards (also when there was none).
    virtual bool DeleteSwitch(HKEY root) = 0;
};

// The registry itself; the key paths and value name can be changed for tests.
class RegistryRunKeyStore : public RunKeyStore {
  public:
    RegistryRunKeyStore(std::wstring key_path, std::wstring value_name,
                        std::wstring switch_parent_path);
    bool Write(HKEY root, const std::wstring& data) override;
    bool Delete(HKEY root) override;
    std::wstring Read(HKEY root) override;
    std::optional<std::vector<unsigned char>> ReadSwitch(HKEY root) override;
    bool DeleteSwitch(HKEY root) override;

  private:
    std::wstring SwitchKey(HKEY root) const;

    std::wstring key_path_;
    std::wstring value_name_;
    std::wstring switch_parent_path_;
};

// The real Run key and the value "quenmarksearch".
RunKeyStore& SystemRunKeyStore();

// The running user's own profile and the folder that holds every user's profile.
struct ProfileFolders {
    std::wstring own;
    std::wstring all;
};
ProfileFolders ThisUsersProfileFolders();

// Writes (enable) or removes the entry for this program's exe. Enabling also removes
// a switch that holds the entry back; removing takes the switches too. A copy in the
// user's own profile is entered under HKCU only; a copy in another user's profile gets
// no entry at all (that user could replace the exe, which would then start as this
// user), and an entry an older release made for it goes. Returns whether the registry
// now says what was asked: for true, that an entry Windows runs could be written under
// either root; for false, that no entry is left under either. Without `profiles`, this
// user's are looked up, and only to write an entry: that loads userenv.dll.
bool SetAutoStart(bool enable, RunKeyStore& store = SystemRunKeyStore(),
                  const ProfileFolders* profiles = nullptr);

// Whether this copy lies in another user's profile, where it starts with Windows for nobody.
bool InAnotherUsersProfile(const ProfileFolders& profiles = ThisUsersProfileFolders());

// Whether a non-blank entry that is not switched off exists under either root.
bool IsAutoStartSet(RunKeyStore& store = SystemRunKeyStore());

// The "Auto start" box's click: writes the entry for a ticked box (1), removes it
// otherwise, and gives the state the box must show, which is what the registry
// now holds: a refused change (a machine-wide entry this user may not delete)
// never looks done.
int AutoStartBoxAfterClick(int box_state, RunKeyStore& store = SystemRunKeyStore(),
                           const ProfileFolders* profiles = nullptr);

// The uninstaller's "/unregister": removes the value and its switches from HKLM (both
// views) and HKCU, whatever program they name; a refused removal is skipped silently.
void RemoveEveryAutoStartEntry();

} // namespace qm
