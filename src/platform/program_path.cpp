#include "platform/program_path.h"

#include <windows.h>

#include <shlobj.h>

namespace qm {

namespace {
std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
} // namespace

std::wstring ProgramPath() {
    return ModulePath();
}

std::wstring ProgramFolder() {
    std::wstring path = ModulePath();
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {};
    // A drive root keeps its separator, as the platform reports it.
    if (slash == 2 && path[1] == L':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

std::wstring ExeBaseName() {
    std::wstring path = ModulePath();
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring UserProfileFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return folder;
}

} // namespace qm
