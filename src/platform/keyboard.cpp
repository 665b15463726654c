#include "platform/keyboard.h"

#include <windows.h>

namespace qm {

int KeyboardShiftMask() {
    int mask = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        mask |= 1;
    if (GetKeyState(VK_CONTROL) < 0)
        mask |= 2;
    if (GetKeyState(VK_MENU) < 0)
        mask |= 4;
    return mask;
}

bool HotkeyKeysDown(int main_key) {
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN, main_key})
        if (IsKeyDown(key))
            return true;
    return false;
}

bool IsKeyDown(int virtual_key) {
    return virtual_key != 0 && (GetAsyncKeyState(virtual_key) & 0x8000) != 0;
}

std::string KeyNameOf(int virtual_key) {
    UINT scan_code = MapVirtualKeyA(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
    char name[255] = {};
    int length = GetKeyNameTextA(static_cast<LONG>(scan_code << 16), name, sizeof(name));
    if (length <= 0)
        return {};
    return std::string(name, strnlen(name, static_cast<size_t>(length)));
}

} // namespace qm
