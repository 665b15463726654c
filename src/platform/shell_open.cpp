#include "platform/shell_open.h"

#include "platform/system_library.h"
#include "platform/text_codec.h"
#include "platform/unique_handle.h"

#include <objbase.h>
#include <shellapi.h>

namespace qm {

namespace {
// The shell's handlers may be COM objects, which want an apartment on the launching
// thread. Only a launch needs COM, so ole32 (and the DLLs it brings) loads at the first
// one rather than at every start.
struct ComEntry {
    HRESULT(WINAPI* initialize)(void*, DWORD) = nullptr;
    void(WINAPI* uninitialize)() = nullptr;
};

// Window thread only; kept loaded for the run, since a handler may leave COM behind.
ComEntry Com() {
    static const ComEntry com = [] {
        ComEntry found;
        HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
        if (!FindFunction(ole32, "CoInitializeEx", found.initialize) ||
            !FindFunction(ole32, "CoUninitialize", found.uninitialize))
            found = {};
        return found;
    }();
    return com;
}

struct Launch {
    std::wstring url;
    ComEntry com;
};

void Open(HWND owner, const std::wstring& url, const ComEntry& com) {
    HRESULT entered =
        com.initialize ? com.initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
                       : E_FAIL;
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
    if (SUCCEEDED(entered))
        com.uninitialize();
}

// Plain Win32 threads: std::thread would add a third to the size of the shipped exe.
DWORD WINAPI LaunchThread(void* parameter) {
    auto* launch = static_cast<Launch*>(parameter);
    // No owner: the window may be gone before the handler looks at it, and a window
    // of another thread would tie the launch to that thread's message loop.
    Open(nullptr, launch->url, launch->com);
    delete launch;
    return 0;
}
} // namespace

void ShellOpenUrl(HWND owner, const std::wstring& url) {
    auto* launch = new Launch{url, Com()};
    // The thread ends with its launch; its handle is not needed.
    UniqueHandle thread(CreateThread(nullptr, 0, LaunchThread, launch, 0, nullptr));
    if (!thread) {
        delete launch;
        Open(owner, url, Com()); // no thread to spare: launch here rather than not at all
    }
}

void ShellOpenUrl(HWND owner, const std::string& ansi_url) {
    ShellOpenUrl(owner, AnsiToWide(ansi_url));
}

} // namespace qm
