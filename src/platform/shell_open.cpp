#include "platform/shell_open.h"

#include "platform/text_codec.h"
#include "platform/unique_handle.h"

#include <objbase.h>
#include <shellapi.h>

namespace qm {

namespace {
void Open(HWND owner, const std::wstring& url) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The call waits until a handler started through DDE or COM activation has taken the
    // URL: the launch thread ends right after it and would cut such a handler short.
    info.fMask = SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = url.c_str();
    info.nShow = SW_SHOWNORMAL;
    // A failed launch is not reported: the user sees that no browser came up.
    ShellExecuteExW(&info);
}

// Plain Win32 threads: std::thread would add a third to the size of the shipped exe.
DWORD WINAPI LaunchThread(void* parameter) {
    auto* url = static_cast<std::wstring*>(parameter);
    // The shell's handlers may be COM objects, which want an apartment on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // No owner: the window may be gone before the handler looks at it, and a window
    // of another thread would tie the launch to that thread's message loop.
    Open(nullptr, *url);
    if (SUCCEEDED(com))
        CoUninitialize();
    delete url;
    return 0;
}
} // namespace

void ShellOpenUrl(HWND owner, const std::wstring& url) {
    auto* copy = new std::wstring(url);
    // The thread ends with its launch; its handle is not needed.
    UniqueHandle thread(CreateThread(nullptr, 0, LaunchThread, copy, 0, nullptr));
    if (!thread) {
        delete copy;
        Open(owner, url); // no thread to spare: launch here rather than not at all
    }
}

void ShellOpenUrl(HWND owner, const std::string& ansi_url) {
    ShellOpenUrl(owner, AnsiToWide(ansi_url));
}

} // namespace qm
