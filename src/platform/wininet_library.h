#pragma once
// WinINet, with the DLLs it brings in, serves one update check per run: it is loaded
// from the system folder when the first fetch starts, not at start-up, and its
// functions are taken into a table. Plain loading, the same on every build: a
// delay-load import library lost its stubs in the i686 link, so the shipped exe
// jumped to address 0.
#include <windows.h>

#include <wininet.h>

#include <optional>

#include "platform/system_library.h"

namespace qm {

struct WinInetApi {
    decltype(&InternetCrackUrlA) crack_url;
    decltype(&InternetOpenA) open;
    decltype(&InternetConnectA) connect;
    decltype(&InternetSetOptionA) set_option;
    decltype(&HttpOpenRequestA) open_request;
    decltype(&HttpSendRequestA) send_request;
    decltype(&HttpQueryInfoA) query_info;
    decltype(&InternetReadFile) read_file;
    decltype(&InternetCloseHandle) close_handle;
};

// The table from `dll` in the system folder, or nothing when the library or one of
// the functions is missing (the library is then let go).
std::optional<WinInetApi> LoadWinInetApi(const wchar_t* dll,
                                         SystemFolderLoad how = SystemFolderLoad::Best);

// WinINet's table, loaded at the first call and kept until exit: a fetch abandoned at
// its deadline may still be using it. Null when it cannot be loaded.
const WinInetApi* WinInet();

} // namespace qm
