#include "hotkey/hotkey_text.h"

namespace qm {

const char* const kNoHotkeyText = "NULL";

ModifierPrefix ComposeModifierPrefix(bool win_key_down, int shift_mask) {
    ModifierPrefix prefix;
    if (win_key_down) {
        prefix.text = "Win + ";
        prefix.mod_key_code = kModWin;
    }
    if (shift_mask & kShiftMaskCtrl) {
        prefix.text += "Ctrl + ";
        prefix.mod_key_code |= kModCtrl;
    }
    if (shift_mask & kShiftMaskAlt) {
        prefix.text += "Alt + ";
        prefix.mod_key_code |= kModAlt;
    }
    if (shift_mask & kShiftMaskShift) {
        prefix.text += "Shift + ";
        prefix.mod_key_code |= kModShift;
    }
    return prefix;
}

bool IsModifierOnlyKey(int virtual_key) {
    return virtual_key == kVkShift || virtual_key == kVkControl || virtual_key == kVkMenu ||
           virtual_key == kVkLeftWin;
}

} // namespace qm
