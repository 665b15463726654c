#include "platform/clipboard.h"

#include "platform/bounded_text.h"
#include "platform/scope_exit.h"

namespace qm {

namespace {
// Programs (clipboard managers, the copying application itself) hold the
// clipboard open for a few milliseconds; waiting 150 ms at most keeps a hotkey
// action from stalling when one holds it for good.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 15;
} // namespace

OpenedClipboard::OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
        if (attempt > 0)
            Sleep(kOpenRetryMs);
        open_ = OpenClipboard(owner) != FALSE;
    }
}

OpenedClipboard::~OpenedClipboard() {
    if (open_)
        CloseClipboard();
}

std::u16string ReadClipboardText(HWND owner, size_t max_units) {
    OpenedClipboard clipboard(owner);
    if (!clipboard || !IsClipboardFormatAvailable(CF_UNICODETEXT))
        return {};
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return {};
    // The block's size bounds the scan: the text need not be terminated.
    size_t units = GlobalSize(data) / sizeof(char16_t);
    const auto* text = static_cast<const char16_t*>(GlobalLock(data));
    if (!text)
        return {};
    ScopeExit unlock([data] { GlobalUnlock(data); });
    return BoundedUtf16(text, units, max_units);
}

DWORD ClipboardChangeCount() {
    return GetClipboardSequenceNumber();
}

bool ClipboardOffersText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

bool ClipboardHeldOpen() {
    return GetOpenClipboardWindow() != nullptr;
}

} // namespace qm
