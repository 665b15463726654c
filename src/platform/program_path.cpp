#include "platform/program_path.h"

#include <windows.h>

#include <userenv.h>

#include "platform/system_library.h"
#include "platform/unique_handle.h"

namespace qm {

namespace {
// Loaded from the system folder when first needed and kept: imported, it would be
// looked for beside the exe first, as it is no known DLL.
HMODULE UserEnvironment() {
    static const HMODULE userenv = LoadSystemLibrary(L"userenv.dll");
    return userenv;
}

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
    // The token's own profile: an elevated run with another account's password is that
    // account's, not the logged-on user's.
    decltype(&GetUserProfileDirectoryW) profile_of = nullptr;
    UniqueHandle token;
    if (!FindFunction(UserEnvironment(), "GetUserProfileDirectoryW", profile_of) ||
        !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()))
        return {};
    wchar_t folder[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return profile_of(token.get(), folder, &size) ? folder : L"";
}

std::wstring ProfilesFolder() {
    decltype(&GetProfilesDirectoryW) profiles = nullptr;
    wchar_t folder[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return FindFunction(UserEnvironment(), "GetProfilesDirectoryW", profiles) &&
                   profiles(folder, &size)
               ? folder
               : L"";
}

} // namespace qm
