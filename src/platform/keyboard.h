#pragma once
// The keyboard as a key event sees it: the state mask and the platform's key names.
#include <string>

namespace qm {

// 1 Shift, 2 Ctrl, 4 Alt, from the state of the message being handled.
int KeyboardShiftMask();

// The platform's name for a virtual key, looked up by its scan code without the
// extended-key bit (so the cursor keys get their keypad names); empty when none.
std::string KeyNameOf(int virtual_key);

} // namespace qm
