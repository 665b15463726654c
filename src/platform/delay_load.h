#pragma once
// WinINet, with the DLLs it brings in, serves one update check per run, so it is
// linked delay-loaded (cmake/delay_load.cmake): the first call of one of its
// functions loads it.

namespace qm {

// Keeps WinINet for one user, such as a fetch's worker thread, which closes all
// its handles before it lets go. When the last user lets go, WinINet is unloaded;
// its next call loads it again.
class WinInetInUse {
  public:
    WinInetInUse();
    ~WinInetInUse();
    WinInetInUse(const WinInetInUse&) = delete;
    WinInetInUse& operator=(const WinInetInUse&) = delete;
};

} // namespace qm
