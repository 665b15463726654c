#include "platform/copy_keystroke.h"

#include <windows.h>

#include <vector>

#include "platform/copy_key_plan.h"
#include "platform/text_codec.h"

namespace qm {

namespace {
bool IsExtendedKey(std::uint8_t key) {
    return key == vk::kRightAlt || key == vk::kRightControl || key == vk::kLeftWin ||
           key == vk::kRightWin || key == vk::kInsert;
}

INPUT ToInput(const KeyEvent& event) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = event.vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(event.vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (event.up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(event.vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    input.ki.dwExtraInfo = kInjectedKeyMark;
    return input;
}
} // namespace

CopyTarget FocusedCopyTarget() {
    HWND foreground = GetForegroundWindow();
    if (!foreground)
        return CopyTarget::Application;
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    if (process == GetCurrentProcessId())
        return CopyTarget::ThisProgram;
    wchar_t class_name[64] = {};
    GetClassNameW(foreground, class_name, static_cast<int>(sizeof(class_name) / sizeof(wchar_t)));
    return IsTerminalWindowClass(WideToAnsi(class_name)) ? CopyTarget::Terminal
                                                         : CopyTarget::Application;
}

void SendCopyKeystroke(CopyTarget target) {
    if (target == CopyTarget::ThisProgram)
        return;
    std::vector<std::uint8_t> held;
    for (std::uint8_t key : ReleasedModifiers())
        if (GetAsyncKeyState(key) & 0x8000)
            held.push_back(key);

    std::vector<INPUT> inputs;
    for (const KeyEvent& event :
         CopyKeystrokePlan(held, target == CopyTarget::Terminal ? vk::kInsert : vk::kC))
        inputs.push_back(ToInput(event));
    // One call so no real key press can land between the events. A refusal (another
    // desktop, a blocked input queue) shows as nothing copied, which the caller handles.
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool IsInjectedKeyMessage() {
    return static_cast<std::uintptr_t>(GetMessageExtraInfo()) == kInjectedKeyMark;
}

} // namespace qm
