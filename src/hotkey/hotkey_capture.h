#pragma once
// What keys going down and up in a hotkey field make of the combination. The key
// names come from the caller, so this stays free of the platform.
#include <functional>
#include <string>

namespace qm {

class HotKeyCapture {
  public:
    using KeyNameFn = std::function<std::string(int virtual_key)>;

    // A key went down with the keyboard state mask (1 Shift, 2 Ctrl, 4 Alt). The
    // codes are rebuilt from nothing; returns the text the field shows now.
    std::string KeyDown(int key_code, int shift_mask, const KeyNameFn& key_name);
    // A key went up: true when no main key is captured, so the field goes back to "NULL".
    bool KeyUp(int key_code);

    // A loaded combination, or 0 and 0 after a clash.
    void Set(int key_code, int mod_key_code);

    int key_code() const { return key_code_; }
    int mod_key_code() const { return mod_key_code_; }
    bool win_key_down() const { return win_key_down_; }

  private:
    int key_code_ = 0;
    int mod_key_code_ = 0;
    // The left Windows key is not in the state mask, so it is remembered between its
    // key-down and key-up in the field.
    bool win_key_down_ = false;
};

} // namespace qm
