#include "hotkey/hotkey_capture.h"

#include "hotkey/hotkey_text.h"

namespace qm {

std::string HotKeyCapture::KeyDown(int key_code, int shift_mask, const KeyNameFn& key_name) {
    if (key_code == kVkLeftWin)
        win_key_down_ = true;
    ModifierPrefix prefix = ComposeModifierPrefix(win_key_down_, shift_mask);
    mod_key_code_ = prefix.mod_key_code;
    if (IsModifierOnlyKey(key_code)) {
        key_code_ = 0;
        return prefix.text;
    }
    key_code_ = key_code;
    return prefix.text + key_name(key_code);
}

bool HotKeyCapture::KeyUp(int key_code) {
    if (key_code == kVkLeftWin)
        win_key_down_ = false;
    if (key_code_ != 0)
        return false;
    mod_key_code_ = 0;
    return true;
}

void HotKeyCapture::Set(int key_code, int mod_key_code) {
    key_code_ = key_code;
    mod_key_code_ = mod_key_code;
}

} // namespace qm
