#pragma once
// A hotkey combination as it is kept in a store: section "hotkey", one group of
// three text values per control, named after the control.
#include <functional>
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

// The combination the stored codes name, as the field shows it. The codes decide
// and the text follows from them, as it does when the keys are pressed, so what
// is registered is always exactly what the field shows. Codes that a key press
// could not have given (not a whole number, no main key or a modifier as the main
// key, modifier flags outside 0-15) are no combination at all: "NULL", 0 and 0.
StoredHotKey StoredHotKeyFromCodes(const std::string& key_code, const std::string& mod_key_code,
                                   const std::function<std::string(int)>& key_name);

} // namespace qm
