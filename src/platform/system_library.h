#pragma once
// DLLs come from the system folder only, and functions that not every supported Windows
// has are looked up at run time. The portable exe is often run from the Downloads
// folder, where a planted DLL named like a system one would otherwise be loaded first.
#include <windows.h>

namespace qm {

// The first call of the program: every DLL loaded later by name (theming, the shell's
// and COM's handlers, WinINet's own lazy loads) comes from the system folder. Where the
// search flags are missing (Windows Vista and 7 without KB2533623) the current folder
// at least leaves the search.
void LoadDllsFromSystemFolderOnly();

// How a system DLL is found: the search flag where Windows knows it, or else the full
// path in the system folder (the flag makes LoadLibraryExW fail there).
enum class SystemFolderLoad { Best, SearchFlag, FullPath };

// `name` ("wininet.dll") from the system folder, with the DLLs it needs taken from there
// too; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name, SystemFolderLoad how = SystemFolderLoad::Best);

// `function` = the named export of `module`, typed; false (and null) when this Windows
// lacks it.
template <typename F> bool FindFunction(HMODULE module, const char* name, F& function) {
    // Through void(*)(): GCC's warning about casts between function types exempts it.
    function = module
                   ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                   : nullptr;
    return function != nullptr;
}

} // namespace qm
