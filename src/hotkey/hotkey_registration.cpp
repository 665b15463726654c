// Switching the global hotkey on and off, and turning its presses into one event each.
#include "hotkey/hotkey_control.h"

#include "hotkey/hotkey_text.h"
#include "platform/copy_key_plan.h"
#include "platform/keyboard.h"
#include "platform/text_codec.h"

namespace qm {

namespace {
// While a press is pending, how often the main key is looked at (the message window's
// one timer); no human lets go and presses again within it.
constexpr UINT_PTR kKeyUpTimer = 1;
constexpr UINT kKeyUpPollMs = 30;
} // namespace

void HotKey::SetHotKeyEnabled(bool enabled) {
    if (enabled == hotkey_enabled_ || !message_window_)
        return;
    if (!enabled) {
        UnregisterHotKey(message_window_.get(), kHotKeyId);
        hotkey_enabled_ = false;
        EndPendingPress();
        return;
    }
    if (capture_.key_code() == 0) {
        ShowError("Not set hotkey");
        return;
    }
    // The copy keystrokes are refused like a taken combination: registered, they
    // would stop copying everywhere, the selection capture's own copy included.
    const bool copy_keys = IsCopyCombination(capture_.key_code(), capture_.mod_key_code());
    if (!copy_keys && !UserAcceptsCharacterTaken()) {
        ClearCombination();
        return;
    }
    if (!copy_keys && Register()) {
        hotkey_enabled_ = true;
        if (suspended_)
            UnregisterHotKey(message_window_.get(), kHotKeyId); // back when the field lets go
        return;
    }
    ShowError("Hotkey repeat, replace it with a hotkey");
    ClearCombination();
}

void HotKey::ClearCombination() {
    capture_.Set(0, 0);
    SetFieldText(kNoHotkeyText);
}

std::u16string HotKey::CombinationText() const {
    return FromWide(AnsiToWide(text_));
}

bool HotKey::UserAcceptsCharacterTaken() {
    // A copy, so that a handler may replace itself.
    auto confirm = ConfirmCharacterTaken;
    if (!confirm)
        return true;
    auto taken = CharacterTypedOnThisPc(capture_.key_code(), capture_.mod_key_code());
    return !taken || confirm(CharacterTakenQuestion(CombinationText(), *taken));
}

std::u16string HotKey::CharacterTakenNotice() const {
    auto taken = CharacterTypedOnThisPc(capture_.key_code(), capture_.mod_key_code());
    return taken ? qm::CharacterTakenNotice(CombinationText(), *taken) : std::u16string();
}

bool HotKey::Register() {
    // Held down, the combination fires once: auto-repeat would start one action per
    // repeat. Only the registration carries the flag; the stored codes stay as typed.
    const auto modifiers = static_cast<UINT>(capture_.mod_key_code());
    const auto key = static_cast<UINT>(capture_.key_code());
    if (RegisterHotKey(message_window_.get(), kHotKeyId, modifiers | MOD_NOREPEAT, key))
        return true;
    // Windows Vista knows no such flag and may refuse it; the repeat filter in
    // OnHotKeyMessage does its work there. A taken combination stays refused.
    return GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED &&
           RegisterHotKey(message_window_.get(), kHotKeyId, modifiers, key);
}

void HotKey::SuspendRegistration() {
    if (suspended_)
        return;
    suspended_ = true;
    if (hotkey_enabled_)
        UnregisterHotKey(message_window_.get(), kHotKeyId);
}

void HotKey::ResumeRegistration() {
    if (!suspended_)
        return;
    suspended_ = false;
    // Taken by another program meanwhile: the hotkey is off, as after typing in the field.
    if (hotkey_enabled_ && !Register())
        hotkey_enabled_ = false;
}

void HotKey::RaiseEvents() {
    // A copy, so that a handler may replace itself.
    if (auto handler = HotKeyPressed)
        handler();
}

void HotKey::OnHotKeyMessage() {
    // One press, one action. Held down, the combination fires again with every
    // auto-repeat where MOD_NOREPEAT is unknown (Windows Vista) or ignored (Wine): until
    // its main key has been seen up, a further WM_HOTKEY is the same press.
    if (press_pending_)
        return;
    if (IsKeyDown(capture_.key_code()) &&
        SetTimer(message_window_.get(), kKeyUpTimer, kKeyUpPollMs, nullptr))
        press_pending_ = true;
    RaiseEvents();
}

void HotKey::OnHotKeyTimer() {
    if (!IsKeyDown(capture_.key_code()))
        EndPendingPress();
}

void HotKey::EndPendingPress() {
    if (press_pending_ && message_window_)
        KillTimer(message_window_.get(), kKeyUpTimer);
    press_pending_ = false;
}

} // namespace qm
