#include "platform/system_library.h"

#include <string>

namespace qm {

namespace {
HMODULE Kernel32() {
    return GetModuleHandleW(L"kernel32.dll");
}

// AddDllDirectory came with the search flags (KB2533623): its presence says they work.
bool SearchFlagsKnown() {
    decltype(&AddDllDirectory) add = nullptr;
    return FindFunction(Kernel32(), "AddDllDirectory", add);
}
} // namespace

void LoadDllsFromSystemFolderOnly() {
    decltype(&SetDefaultDllDirectories) set_default = nullptr;
    if (FindFunction(Kernel32(), "SetDefaultDllDirectories", set_default) &&
        set_default(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name, SystemFolderLoad how) {
    if (how == SystemFolderLoad::Best)
        how = SearchFlagsKnown() ? SystemFolderLoad::SearchFlag : SystemFolderLoad::FullPath;
    if (how == SystemFolderLoad::SearchFlag)
        return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    // With a full path this flag makes the DLL's own dependencies come from its folder
    // rather than from the exe's.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace qm
