#include "controller/selection_search.h"

#include <utility>

#include "platform/clipboard.h"
#include "platform/clipboard_snapshot.h"
#include "platform/copy_keystroke.h"
#include "search_panel/find2.h"
#include "search_panel/search_launch.h"
#include "search_panel/search_text_limit.h"

namespace qm {

namespace {
// Long enough for the focused window to see the cleared clipboard and to answer
// the copy keystroke.
constexpr int kCaptureWaitMs = 200;

// Marks an action as running for as long as it lives. The waits dispatch
// messages, so a second press could otherwise start an action inside this one.
class BusyScope {
  public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    bool& busy_;
};
} // namespace

SelectionSearch::SelectionSearch(HWND clipboard_owner, std::function<void(int)> wait)
    : clipboard_owner_(clipboard_owner), wait_(std::move(wait)) {}

void SelectionSearch::Wait(int milliseconds) {
    if (wait_)
        wait_(milliseconds);
}

std::u16string SelectionSearch::CaptureSelection() {
    ClipboardSnapshot before = ClipboardSnapshot::Take(clipboard_owner_);
    // Emptying a clipboard that could not be copied would lose its content.
    bool emptied = before.taken() && EmptyClipboardFor(clipboard_owner_);
    DWORD count_before_copy = ClipboardChangeCount();
    Wait(kCaptureWaitMs);
    SendCopyKeystroke();
    Wait(kCaptureWaitMs);

    std::u16string text;
    // Left uncleared, the clipboard still holds old text: only a change is a copy.
    if (emptied || ClipboardChangeCount() != count_before_copy)
        text = ReadClipboardText(clipboard_owner_, kMaxSearchTextLength);
    // Nothing was copied: the user asked for a search, not to lose the clipboard.
    // Files or a picture that were copied are what the user has now, though.
    if (text.empty() && emptied && !ClipboardHoldsNonText(clipboard_owner_))
        before.Restore(clipboard_owner_);
    return text;
}

std::optional<std::u16string> SelectionSearch::DirectSearch(const std::string& url_template) {
    if (busy_)
        return std::nullopt;
    BusyScope scope(busy_);
    std::u16string text = CaptureSelection();
    LaunchSearch(nullptr, url_template, text);
    return text;
}

bool SelectionSearch::PanelSearch(Find2& panel) {
    if (busy_)
        return false;
    BusyScope scope(busy_);
    panel.SetText(u"");
    POINT cursor{};
    // Without a cursor position the panel simply stays where it was.
    if (GetCursorPos(&cursor))
        panel.MoveTo(cursor.x, cursor.y);
    std::u16string text = CaptureSelection();
    if (text.empty()) {
        panel.SetVisible(false);
        return true;
    }
    panel.SetText(text);
    panel.SetVisible(true);
    panel.MakeTopmost();
    return true;
}

} // namespace qm
