#include "platform/wininet_library.h"

namespace qm {

namespace {

template <typename F> bool Take(HMODULE module, const char* name, F& function) {
    // Through void(*)(): GCC's warning about casts between function types exempts it.
    function = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return function != nullptr;
}

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

std::optional<WinInetApi> LoadWinInetApi(const wchar_t* dll) {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        return std::nullopt;
    WinInetApi api{};
    if (Take(module, "InternetCrackUrlA", api.crack_url) &&
        Take(module, "InternetOpenA", api.open) && Take(module, "InternetConnectA", api.connect) &&
        Take(module, "InternetSetOptionA", api.set_option) &&
        Take(module, "HttpOpenRequestA", api.open_request) &&
        Take(module, "HttpSendRequestA", api.send_request) &&
        Take(module, "HttpQueryInfoA", api.query_info) &&
        Take(module, "InternetReadFile", api.read_file) &&
        Take(module, "InternetCloseHandle", api.close_handle))
        return api;
    FreeLibrary(module);
    return std::nullopt;
}

const WinInetApi* WinInet() {
    InitOnceExecuteOnce(&wininet_once, LoadOnce, nullptr, nullptr);
    return wininet_loaded ? &wininet_api : nullptr;
}

} // namespace qm
