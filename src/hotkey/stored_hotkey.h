#pragma once
// A hotkey combination as it is kept in a store: section "hotkey", one group of
// three text values per control, named after the control.
#include <string>

namespace qm {

extern const char* const kHotKeySection; // "hotkey"

struct StoredHotKey {
    std::string text = "NULL";
    int key_code = 0;
    int mod_key_code = 0;
};

struct HotKeyValueNames {
    std::string text;         // <name>Text
    std::string key_code;     // <name>KeyCode
    std::string mod_key_code; // <name>ModKeyCode
};
HotKeyValueNames ValueNamesFor(const std::string& control_name);

// The longest text a store gives back (the profile functions' limit, applied to
// every store alike).
constexpr size_t kMaxStoredTextLength = 254;

// Values as read from a store, made safe to use: a code that is not a whole number,
// not a virtual-key code (0-255) or not a set of modifier flags (0-15) becomes 0;
// the text loses control characters (a line break would break set.ini when saved
// again) and is cut to kMaxStoredTextLength.
StoredHotKey StoredHotKeyFromValues(const std::string& text, const std::string& key_code,
                                    const std::string& mod_key_code);

} // namespace qm
