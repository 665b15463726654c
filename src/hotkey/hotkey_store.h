#pragma once
// Loading and saving one hotkey control's combination, in set.ini or in the
// per-user registry store. Loading reads the codes; the text the field shows
// follows from them (a stored text that names another combination is not shown).
#include "hotkey/stored_hotkey.h"

#include <string>

namespace qm {

// From the settings file that IniPath names now.
StoredHotKey LoadHotKeyFromIni(const std::string& control_name);
// Into the settings file that IniPath names now.
void SaveHotKeyToIni(const std::string& control_name, const StoredHotKey& hotkey);

StoredHotKey LoadHotKeyFromRegistry(const std::string& application,
                                    const std::string& control_name);
void SaveHotKeyToRegistry(const std::string& application, const std::string& control_name,
                          const StoredHotKey& hotkey);

} // namespace qm
