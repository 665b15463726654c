#pragma once
// The per-user application settings store: text values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>.
#include <string>

namespace qm {

std::string PerUserSettingsKeyPath(const std::string& application, const std::string& section);

// A missing key or value, a value that is not text or an oversized one gives the default.
std::string ReadPerUserSetting(const std::string& application, const std::string& section,
                               const std::string& key, const std::string& default_value);
// Creates the key as needed; false when the store refused the write.
bool WritePerUserSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& value);

} // namespace qm
