#include "platform/shell_open.h"

#include "platform/unique_handle.h"

#include <objbase.h>
#include <shellapi.h>

namespace qm {

namespace {
struct Launch {
    HWND owner;
    std::string url;
};

void Open(const Launch& launch) {
    // A failed launch is not reported: the user sees that no browser came up.
    ShellExecuteA(launch.owner, "open", launch.url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Plain Win32 threads: std::thread would add a third to the size of the shipped exe.
DWORD WINAPI LaunchThread(void* parameter) {
    auto* launch = static_cast<Launch*>(parameter);
    // The shell's handlers may be COM objects, which want an apartment on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    Open(*launch);
    if (SUCCEEDED(com))
        CoUninitialize();
    delete launch;
    return 0;
}
} // namespace

void ShellOpenUrl(HWND owner, const std::string& ansi_url) {
    auto* launch = new Launch{owner, ansi_url};
    // The thread ends with its launch; its handle is not needed.
    UniqueHandle thread(CreateThread(nullptr, 0, LaunchThread, launch, 0, nullptr));
    if (!thread) {
        Open(*launch); // no thread to spare: launch here rather than not at all
        delete launch;
    }
}

} // namespace qm
