#include "platform/per_user_settings.h"

#include "platform/unique_handle.h"

#include <vector>

namespace qm {

namespace {
// Far beyond any setting this program writes; a bigger value is not one of ours.
constexpr DWORD kMaxValueBytes = 64 * 1024;

bool IsUsableName(const std::string& name) {
    return !name.empty() && name.find('\\') != 0 && name.back() != '\\';
}
} // namespace

std::string PerUserSettingsKeyPath(const std::string& application, const std::string& section) {
    return "Software\\VB and VBA Program Settings\\" + application + "\\" + section;
}

std::string ReadPerUserSetting(const std::string& application, const std::string& section,
                               const std::string& key, const std::string& default_value) {
    if (!IsUsableName(application) || !IsUsableName(section))
        return default_value;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PerUserSettingsKeyPath(application, section).c_str(), 0,
                      KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return default_value;
    UniqueHkey hkey(raw);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(hkey.get(), key.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxValueBytes)
        return default_value;
    // One spare byte: the stored data need not end in a NUL.
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(hkey.get(), key.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return default_value;
    return std::string(data.data(), strnlen(data.data(), size));
}

bool WritePerUserSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& value) {
    if (!IsUsableName(application) || !IsUsableName(section))
        return false;
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, PerUserSettingsKeyPath(application, section).c_str(), 0,
                        nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
        return false;
    UniqueHkey hkey(raw);
    return RegSetValueExA(hkey.get(), key.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

} // namespace qm
