#include "platform/wininet_library.h"

namespace qm {

namespace {

INIT_ONCE wininet_once = INIT_ONCE_STATIC_INIT;
WinInetApi wininet_api;
bool wininet_loaded = false;

BOOL CALLBACK LoadOnce(INIT_ONCE*, void*, void**) {
    if (std::optional<WinInetApi> api = LoadWinInetApi(L"wininet.dll")) {
        wininet_api = *api;
        wininet_loaded = true;
    }
    return TRUE; // a missing library stays missing: no second try
}

} // namespace

std::optional<WinInetApi> LoadWinInetApi(const wchar_t* dll, SystemFolderLoad how) {
    HMODULE module = LoadSystemLibrary(dll, how);
    if (!module)
        return std::nullopt;
    WinInetApi api{};
    if (FindFunction(module, "InternetCrackUrlA", api.crack_url) &&
        FindFunction(module, "InternetOpenA", api.open) &&
        FindFunction(module, "InternetConnectA", api.connect) &&
        FindFunction(module, "InternetSetOptionA", api.set_option) &&
        FindFunction(module, "HttpOpenRequestA", api.open_request) &&
        FindFunction(module, "HttpSendRequestA", api.send_request) &&
        FindFunction(module, "HttpQueryInfoA", api.query_info) &&
        FindFunction(module, "InternetReadFile", api.read_file) &&
        FindFunction(module, "InternetCloseHandle", api.close_handle))
        return api;
    FreeLibrary(module);
    return std::nullopt;
}

const WinInetApi* WinInet() {
    InitOnceExecuteOnce(&wininet_once, LoadOnce, nullptr, nullptr);
    return wininet_loaded ? &wininet_api : nullptr;
}

} // namespace qm
