#include "platform/copy_keystroke.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/copy_key_plan.h"
#include "platform/keystroke_receiver.h"
#include "platform/process_facts.h"
#include "platform/text_codec.h"
#include "platform/unique_handle.h"

namespace qm {

namespace {
bool IsExtendedKey(std::uint8_t key) {
    return key == vk::kRightAlt || key == vk::kRightControl || key == vk::kLeftWin ||
           key == vk::kRightWin || key == vk::kInsert;
}

// The scan codes are those of the layout the focused window types with, which a
// program that reads scan codes (a terminal) expects; this program's own may differ.
INPUT ToInput(const KeyEvent& event, HKL layout) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = event.vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyExW(event.vk, MAPVK_VK_TO_VSC, layout));
    input.ki.dwFlags =
        (event.up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(event.vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    input.ki.dwExtraInfo = kInjectedKeyMark;
    return input;
}

UINT SendKeys(const std::vector<KeyEvent>& events, HKL layout) {
    std::vector<INPUT> inputs;
    for (const KeyEvent& event : events)
        inputs.push_back(ToInput(event, layout));
    if (inputs.empty())
        return 0;
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The keyboard layout of the thread whose window has the keyboard focus.
HKL FocusedKeyboardLayout() {
    HWND focus = KeyboardFocusWindow();
    // No focus anywhere: this thread's own layout (a null window gives thread 0).
    return GetKeyboardLayout(focus ? GetWindowThreadProcessId(focus, nullptr) : 0);
}

// What a ModifierWatch has seen; the hook procedure has no other way to reach it.
struct WatchState {
    UniqueHhook hook;
    LastRealEvents last_real{};
    std::vector<KeyEvent> plan; // the last copy keystroke sent
    HKL layout = nullptr;
    unsigned injected_sent = 0;
    unsigned injected_seen = 0;
};
WatchState g_watch;

// How long Finish waits for the hook to see the copy keystroke pass: on Windows the
// hook hears of injected keys only when this thread takes its messages.
constexpr DWORD kPassWaitMs = 100;

bool IsModifierKey(DWORD key) {
    const auto& keys = ModifierKeys();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

LRESULT CALLBACK WatchKeys(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
        if (key.flags & LLKHF_INJECTED) {
            // Other programs' injected keys (remappers, macro tools) are not the user's.
            if (key.dwExtraInfo == kInjectedKeyMark)
                ++g_watch.injected_seen;
        } else if (IsModifierKey(key.vkCode)) {
            g_watch.last_real[key.vkCode & 0xFF] =
                (key.flags & LLKHF_UP) ? LastReal::Released : LastReal::Pressed;
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
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
    if (InjectedKeysWouldBeDropped(facts.integrity, OwnIntegrity(),
                                   [foreground] { return ProbeWindowReach(foreground); }))
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
    std::vector<std::uint8_t> down;
    for (std::uint8_t key : ModifierKeys())
        if (GetAsyncKeyState(key) & 0x8000)
            down.push_back(key);
    const std::vector<std::uint8_t> held = g_watch.hook ? StillHeld(down, g_watch.last_real) : down;

    const HKL layout = FocusedKeyboardLayout();
    std::vector<KeyEvent> plan = CopyKeystrokePlan(held, keys);
    // One call so no real key press can land between the events: what is pressed again
    // at the end is what was held at the start. A refusal (another
    // desktop, a blocked input queue) shows as nothing copied, which the caller handles.
    const UINT sent = SendKeys(plan, layout);
    if (g_watch.hook) {
        g_watch.plan = std::move(plan);
        g_watch.layout = layout;
        g_watch.injected_sent += sent;
    }
}

bool IsInjectedKeyMessage() {
    return static_cast<std::uintptr_t>(GetMessageExtraInfo()) == kInjectedKeyMark;
}

ModifierWatch::ModifierWatch() {
    if (g_watch.hook)
        return;
    g_watch = WatchState{};
    // Without the hook the capture goes on as before, trusting the key state.
    g_watch.hook.reset(SetWindowsHookExW(WH_KEYBOARD_LL, WatchKeys, GetModuleHandleW(nullptr), 0));
    active_ = static_cast<bool>(g_watch.hook);
}

ModifierWatch::~ModifierWatch() {
    Finish();
}

void ModifierWatch::Finish() {
    if (!active_)
        return;
    active_ = false;
    EndModifierWatch();
}

void EndModifierWatch() {
    if (!g_watch.hook)
        return;
    // Only the hook's calls are taken here (they arrive as sent messages), so no
    // window message of this program runs inside the capture's last step.
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        const DWORD elapsed = GetTickCount() - start;
        if (g_watch.injected_seen >= g_watch.injected_sent || elapsed >= kPassWaitMs)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPassWaitMs - elapsed, QS_SENDMESSAGE);
    }
    const std::vector<KeyEvent> releases = ReleasesAfterPlan(g_watch.plan, g_watch.last_real);
    g_watch.hook.reset();
    SendKeys(releases, g_watch.layout);
    g_watch = WatchState{};
}

} // namespace qm
