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

namespace {
std::u16string TypesOn(const std::u16string& combination, const LayoutCharacter& taken) {
    return combination + u" types \"" + taken.character + u"\" on " + taken.layout_name;
}
} // namespace

std::u16string CharacterTakenQuestion(const std::u16string& combination,
                                      const LayoutCharacter& taken) {
    return TypesOn(combination, taken) + u". Use it anyway?";
}

std::u16string CharacterTakenNotice(const std::u16string& combination,
                                    const LayoutCharacter& taken) {
    return TypesOn(combination, taken) +
           u": while the hotkey is on, that character cannot be typed.";
}

} // namespace qm
