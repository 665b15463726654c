#include "platform/copy_keystroke.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/copy_key_plan.h"
#include "platform/process_facts.h"
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

// The targets that take keys, and their keys.
constexpr std::pair<CopyTarget, CopyKeys> kTargetKeys[] = {
    {CopyTarget::Application, CopyKeys::CtrlC},
    {CopyTarget::Terminal, CopyKeys::CtrlInsert},
    {CopyTarget::ShiftTerminal, CopyKeys::CtrlShiftC},
    {CopyTarget::SelectTerminal, CopyKeys::None},
};

CopyTarget TargetOf(CopyKeys keys) {
    for (auto [target, its_keys] : kTargetKeys)
        if (its_keys == keys)
            return target;
    return CopyTarget::Application;
}

CopyKeys KeysOf(CopyTarget target) {
    for (auto [its_target, keys] : kTargetKeys)
        if (its_target == target)
            return keys;
    return CopyKeys::None;
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
    const ProcessFacts facts = QueryProcessFacts(process);
    if (InjectedKeysWouldBeDropped(facts.integrity, OwnIntegrity()))
        return CopyTarget::Elevated;
    wchar_t class_name[64] = {};
    GetClassNameW(foreground, class_name, static_cast<int>(sizeof(class_name) / sizeof(wchar_t)));
    return TargetOf(CopyKeysOfWindow(WideToAnsi(class_name), facts.exe_name));
}

void SendCopyKeystroke(CopyTarget target) {
    const CopyKeys keys = KeysOf(target);
    if (keys == CopyKeys::None)
        return;
    // Read before anything is injected, so this is what the user holds: once the
    // plan's key-ups are in, the key state says up whatever the user's fingers do.
    std::vector<std::uint8_t> held;
    for (std::uint8_t key : ModifierKeys())
        if (GetAsyncKeyState(key) & 0x8000)
            held.push_back(key);

    std::vector<INPUT> inputs;
    for (const KeyEvent& event : CopyKeystrokePlan(held, keys))
        inputs.push_back(ToInput(event));
    // One call so no real key press can land between the events: what is pressed again
    // at the end is what was held at the start. A refusal (another
    // desktop, a blocked input queue) shows as nothing copied, which the caller handles.
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool IsInjectedKeyMessage() {
    return static_cast<std::uintptr_t>(GetMessageExtraInfo()) == kInjectedKeyMark;
}

} // namespace qm
