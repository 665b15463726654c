#include "hotkey/stored_hotkey.h"

#include "settings/ini_value.h"
#include "hotkey/hotkey_text.h"

namespace qm {

const char* const kHotKeySection = "hotkey";

HotKeyValueNames ValueNamesFor(const std::string& control_name) {
    return {control_name + "Text", control_name + "KeyCode", control_name + "ModKeyCode"};
}

StoredHotKey StoredHotKeyFromCodes(const std::string& key_code, const std::string& mod_key_code,
                                   const std::function<std::string(int)>& key_name) {
    const int key = ParseIniInt(key_code, -1);
    const int mods = ParseIniInt(mod_key_code, -1);
    if (key < 1 || key > 255 || IsModifierOnlyKey(key) || key == kVkApps || mods < 0 || mods > 15)
        return {};
    int shift_mask = 0;
    if (mods & kModCtrl)
        shift_mask |= kShiftMaskCtrl;
    if (mods & kModAlt)
        shift_mask |= kShiftMaskAlt;
    if (mods & kModShift)
        shift_mask |= kShiftMaskShift;
    return {ComposeModifierPrefix((mods & kModWin) != 0, shift_mask).text + key_name(key), key,
            mods};
}

} // namespace qm
