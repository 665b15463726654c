#include "hotkey/hotkey_store.h"

#include "settings/settings_file.h"
#include "platform/keyboard.h"
#include "platform/per_user_settings.h"

namespace qm {

StoredHotKey LoadHotKeyFromIni(const std::string& control_name) {
    HotKeyValueNames names = ValueNamesFor(control_name);
    std::string key_code = ReadIniString(kHotKeySection, names.key_code, "0");
    std::string mod_key_code = ReadIniString(kHotKeySection, names.mod_key_code, "0");
    return StoredHotKeyFromCodes(key_code, mod_key_code, KeyNameOf);
}

void SaveHotKeyToIni(const std::string& control_name, const StoredHotKey& hotkey) {
    HotKeyValueNames names = ValueNamesFor(control_name);
    WriteIniString(kHotKeySection, names.text, hotkey.text);
    WriteIniString(kHotKeySection, names.key_code, std::to_string(hotkey.key_code));
    WriteIniString(kHotKeySection, names.mod_key_code, std::to_string(hotkey.mod_key_code));
}

StoredHotKey LoadHotKeyFromRegistry(const std::string& application,
                                    const std::string& control_name) {
    HotKeyValueNames names = ValueNamesFor(control_name);
    std::string key_code = ReadPerUserSetting(application, kHotKeySection, names.key_code, "0");
    std::string mod_key_code =
        ReadPerUserSetting(application, kHotKeySection, names.mod_key_code, "0");
    return StoredHotKeyFromCodes(key_code, mod_key_code, KeyNameOf);
}

void SaveHotKeyToRegistry(const std::string& application, const std::string& control_name,
                          const StoredHotKey& hotkey) {
    HotKeyValueNames names = ValueNamesFor(control_name);
    // A refused write leaves the older values; the control has no one to tell.
    WritePerUserSetting(application, kHotKeySection, names.text, hotkey.text);
    WritePerUserSetting(application, kHotKeySection, names.key_code,
                        std::to_string(hotkey.key_code));
    WritePerUserSetting(application, kHotKeySection, names.mod_key_code,
                        std::to_string(hotkey.mod_key_code));
}

} // namespace qm
