#pragma once
// WinINet, with the DLLs it brings in, serves one update check per run, so it is
// linked delay-loaded (cmake/delay_load.cmake): the first call of one of its
// functions loads it.

namespace qm {

// Unloads WinINet once none of its handles or threads are in use any more; its next
// call loads it again. Does nothing while it is not loaded.
void UnloadWinInet();

} // namespace qm
