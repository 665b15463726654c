#include "platform/per_user_settings.h"

#include "platform/registry.h"
#include "platform/text_codec.h"

namespace qm {

namespace {
bool IsUsableName(const std::string& name) {
    return !name.empty() && name.find('\\') != 0 && name.back() != '\\';
}
} // namespace

std::string PerUserSettingsKeyPath(const std::string& application, const std::string& section) {
    return "Software\\VB and VBA Program Settings\\" + application + "\\" + section;
}

// Names and text are the ANSI code page's; the registry keeps them as UTF-16, as
// the ANSI registry functions would have converted them.
std::string ReadPerUserSetting(const std::string& application, const std::string& section,
                               const std::string& key, const std::string& default_value) {
    if (!IsUsableName(application) || !IsUsableName(section))
        return default_value;
    std::optional<std::wstring> text = ReadRegistryText(
        HKEY_CURRENT_USER, AnsiToWide(PerUserSettingsKeyPath(application, section)),
        AnsiToWide(key), RegistryText::PlainOrExpandable);
    return text ? WideToAnsi(*text) : default_value;
}

bool WritePerUserSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& value) {
    if (!IsUsableName(application) || !IsUsableName(section))
        return false;
    return WriteRegistryText(HKEY_CURRENT_USER,
                             AnsiToWide(PerUserSettingsKeyPath(application, section)),
                             AnsiToWide(key), AnsiToWide(value));
}

} // namespace qm
