#include "platform/copy_keystroke.h"

#include <windows.h>

#include <vector>

#include "platform/copy_key_plan.h"

namespace qm {

namespace {
bool IsExtendedKey(std::uint8_t key) {
    return key == vk::kRightAlt || key == vk::kRightControl || key == vk::kLeftWin ||
           key == vk::kRightWin;
}

INPUT ToInput(const KeyEvent& event) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = event.vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(event.vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (event.up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(event.vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}
} // namespace

void SendCopyKeystroke() {
    std::vector<std::uint8_t> held;
    for (std::uint8_t key : ReleasedModifiers())
        if (GetAsyncKeyState(key) & 0x8000)
            held.push_back(key);

    std::vector<INPUT> inputs;
    for (const KeyEvent& event : CopyKeystrokePlan(held))
        inputs.push_back(ToInput(event));
    // One call so no real key press can land between the events. A refusal (another
    // desktop, a blocked input queue) shows as nothing copied, which the caller handles.
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace qm
