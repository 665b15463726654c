#include "hotkey/stored_hotkey.h"

#include "controller/settings/ini_value.h"

namespace qm {

const char* const kHotKeySection = "hotkey";

HotKeyValueNames ValueNamesFor(const std::string& control_name) {
    return {control_name + "Text", control_name + "KeyCode", control_name + "ModKeyCode"};
}

namespace {
int CodeInRange(const std::string& text, int highest) {
    int value = ParseIniInt(text, 0);
    return value >= 0 && value <= highest ? value : 0;
}
} // namespace

StoredHotKey StoredHotKeyFromValues(const std::string& text, const std::string& key_code,
                                    const std::string& mod_key_code) {
    StoredHotKey stored;
    stored.text.clear();
    for (char c : text) {
        if (stored.text.size() == kMaxStoredTextLength)
            break;
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            stored.text += c;
    }
    stored.key_code = CodeInRange(key_code, 255);
    stored.mod_key_code = CodeInRange(mod_key_code, 15);
    return stored;
}

} // namespace qm
