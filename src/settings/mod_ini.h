#pragma once
// modINI: the settings file set.ini and its three operations.
#include <string>

namespace qm {

// IniPath = program folder + "\" (unless it already ends in one) + file_name.
// When that file cannot be written (a read-only program folder, as under Program
// Files), the per-user %APPDATA%\Quenmark Search\<file_name> is used instead,
// started from the read-only file's values, so settings are not lost at restart.
void SetIniFile(const std::string& file_name);
// The same with an explicit folder; SetIniFile uses the program's folder. Only a
// refused write selects the per-user file; a file another program holds for a
// moment is tried again for up to a second.
void SetIniFileIn(const std::wstring& folder, const std::string& file_name);

// A missing file, section or key gives the default; an empty value gives "";
// a value longer than 254 characters gives its first 254.
std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& default_value);
void WriteIniString(const std::string& section, const std::string& key, const std::string& value);

const std::wstring& IniPath();

} // namespace qm
