#pragma once
// regModule1: the auto-start value "quenmarksearch" under the Run key.
// The machine-wide key is tried first; a user without the right to change it
// gets the same value under HKEY_CURRENT_USER, so the program still starts
// with Windows for that user.
#include <windows.h>

#include <string>

namespace qm {

// Where Run values live: one value of one key, under a given root.
class RunKeyStore {
  public:
    virtual ~RunKeyStore() = default;
    // Writes the value as REG_SZ, creating the key if needed.
    virtual bool Write(HKEY root, const std::wstring& data) = 0;
    // True when the value is gone afterwards (also when it never existed).
    virtual bool Delete(HKEY root) = 0;
    // The value's text; empty for anything but an existing REG_SZ value.
    virtual std::wstring Read(HKEY root) = 0;
};

// The registry itself; the key path and value name can be changed for tests.
class RegistryRunKeyStore : public RunKeyStore {
  public:
    RegistryRunKeyStore(std::wstring key_path, std::wstring value_name);
    bool Write(HKEY root, const std::wstring& data) override;
    bool Delete(HKEY root) override;
    std::wstring Read(HKEY root) override;

  private:
    std::wstring key_path_;
    std::wstring value_name_;
};

// The real Run key and the value "quenmarksearch".
RunKeyStore& SystemRunKeyStore();

// Writes (enable) or removes the entry for this program's exe. Returns whether
// the registry now says what was asked: for true, that an entry could be
// written under either root; for false, that no entry is left under either.
bool SetAutoStart(bool enable, RunKeyStore& store = SystemRunKeyStore());

// Whether a non-blank entry exists under either root.
bool IsAutoStartSet(RunKeyStore& store = SystemRunKeyStore());

// The "Auto start" box's click: writes the entry for a ticked box (1), removes it
// otherwise, and gives the state the box must show, which is what the registry
// now holds: a refused change (a machine-wide entry this user may not delete)
// never looks done.
int AutoStartBoxAfterClick(int box_state, RunKeyStore& store = SystemRunKeyStore());

} // namespace qm
