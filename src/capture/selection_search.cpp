#include "capture/selection_search.h"

#include <utility>

#include "capture/copy_wait.h"
#include "platform/clipboard.h"
#include "platform/copy_keystroke.h"
#include "platform/keyboard.h"
#include "platform/keystroke_receiver.h"
#include "platform/scope_exit.h"
#include "search_panel/panel_window.h"
#include "search/search_launch.h"
#include "search/search_text_limit.h"

namespace qm {

namespace {
// The most the capture waits for the user to let go of the hotkey's keys.
constexpr int kCaptureWaitMs = 200;
} // namespace

SelectionSearch::SelectionSearch(HWND clipboard_owner, PanelWindow& panel, WaitFn wait)
    : clipboard_owner_(clipboard_owner), panel_(&panel), wait_(std::move(wait)) {}

void SelectionSearch::Wait(int milliseconds, const std::function<bool()>& done) {
    if (wait_)
        wait_(milliseconds, done);
}

SelectionSearch::Source SelectionSearch::FocusedSource() const {
    Source source{focused_target ? focused_target() : FocusedCopyTarget(), {}};
    // In the program's own windows nothing is injected: the panel's box is read
    // directly, and anywhere else (a hotkey field above all) there is no selection.
    if (source.target == CopyTarget::ThisProgram)
        source.own_text = panel_->FocusedSelection().value_or(u"");
    return source;
}

bool SelectionSearch::OutOfReach(const Source& source) const {
    if (source.target != CopyTarget::Elevated)
        return false;
    if (SelectionOutOfReach)
        SelectionOutOfReach();
    return true;
}

std::u16string SelectionSearch::CaptureSelection(const Source& source, int hotkey_key,
                                                 bool make_panel) {
    if (source.target == CopyTarget::ThisProgram)
        return source.own_text;
    // Such a terminal has copied already, or nothing was selected: the clipboard
    // cannot tell which, and its text may be old.
    if (source.target == CopyTarget::SelectTerminal)
        return {};
    ModifierWatch modifiers; // the user's own Ctrl, Alt, Shift and Win, until the keys are sent
    Wait(kCaptureWaitMs, [hotkey_key] { return !HotkeyKeysDown(hotkey_key); });
    const KeystrokeReceiver receiver = KeystrokeReceiver::Focused();
    // It would take the keys, if ever, long after the press.
    if (receiver.Hung())
        return {};
    // The clipboard is neither emptied nor saved: a copy shows as a change of it,
    // and when nothing is copied it stays exactly as it was.
    const DWORD count_before_copy = ClipboardChangeCount();
    SendCopyKeystroke(source.target);
    const DWORD sent_at = GetTickCount();
    // Now, not after the copy wait of up to 2 s: a Win or Ctrl left down meanwhile would
    // turn the user's next keys into Win+L or Ctrl+W.
    modifiers.Finish();
    if (make_panel)
        panel_->Create();
    int answers = 0;
    Wait(kCopyWaitLimitMs, [&] {
        CopyEvidence evidence;
        evidence.elapsed_ms = static_cast<int>(GetTickCount() - sent_at);
        evidence.changed = ClipboardChangeCount() != count_before_copy;
        evidence.offers_text = ClipboardOffersText();
        evidence.held_open = ClipboardHeldOpen();
        evidence.receiver_hung = receiver.Hung();
        // A receiver busy with a message breaks the run: it may be copying.
        answers = receiver.Answers() ? answers + 1 : 0;
        evidence.answers_in_a_row = answers;
        return JudgeCopyWait(evidence) != CopyWait::KeepWaiting;
    });
    if (ClipboardChangeCount() == count_before_copy)
        return {};
    return ReadClipboardText(clipboard_owner_, kMaxSearchTextLength);
}

std::optional<std::u16string> SelectionSearch::DirectSearch(const std::string& url_template,
                                                            int hotkey_key) {
    if (busy_)
        return std::nullopt;
    // The waits dispatch messages, so a second press could otherwise start an
    // action inside this one.
    busy_ = true;
    ScopeExit idle([this] { busy_ = false; });
    const Source source = FocusedSource();
    if (OutOfReach(source))
        return std::nullopt;
    std::u16string text = CaptureSelection(source, hotkey_key);
    LaunchSearch(nullptr, url_template, text);
    return text;
}

bool SelectionSearch::PanelSearch(int hotkey_key) {
    if (busy_)
        return false;
    busy_ = true;
    ScopeExit idle([this] { busy_ = false; });
    // Before the box is cleared: it may be what is searched.
    Source source = FocusedSource();
    if (OutOfReach(source))
        return true;
    panel_->SetText(u"");
    POINT cursor{};
    // Without a cursor position the panel simply stays where it was.
    if (GetCursorPos(&cursor))
        panel_->MoveTo(cursor.x, cursor.y);
    std::u16string text = CaptureSelection(source, hotkey_key, true);
    if (text.empty()) {
        panel_->SetVisible(false);
        return true;
    }
    panel_->SetText(text);
    panel_->SetVisible(true);
    panel_->MakeTopmost();
    return true;
}

} // namespace qm
