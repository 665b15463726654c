#include "settings/mod_ini.h"

#include "platform/program_path.h"
#include "platform/text_codec.h"
#include "platform/unique_handle.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

namespace qm {

namespace {
std::wstring g_ini_path;

// Another program (a virus scanner, a sync tool) holding the file for a moment
// is waited out this long; only a refusal moves the settings elsewhere.
constexpr ULONGLONG kPassingLockMs = 1000;
constexpr DWORD kPassingLockRetryMs = 50;

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L"\\" + name;
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What the profile functions will need: an existing file opened for writing, or a
// new one created in its folder (tried with a probe that goes when it is closed).
// Empty when refused, with the reason in GetLastError().
UniqueHandle OpenForWriting(const std::wstring& folder, const std::wstring& path) {
    if (FileExists(path))
        return OwnFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::wstring probe = JoinPath(folder, L"~quenmark-write-probe.tmp");
    return OwnFileHandle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                     nullptr));
}

// False only when writing is refused: access denied, a read-only file or folder,
// write-protected media. A lock still held after the wait is not a refusal.
bool CanWrite(const std::wstring& folder, const std::wstring& path) {
    const ULONGLONG give_up = GetTickCount64() + kPassingLockMs;
    for (;;) {
        if (OpenForWriting(folder, path))
            return true;
        DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT)
            return false;
        bool locked = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!locked || GetTickCount64() >= give_up)
            return true;
        Sleep(kPassingLockRetryMs);
    }
}

std::wstring PerUserFolder() {
    wchar_t appdata[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"APPDATA", appdata, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::wstring folder = JoinPath(appdata, L"Quenmark Search");
    CreateDirectoryW(folder.c_str(), nullptr); // already there is fine
    return folder;
}
} // namespace

void SetIniFileIn(const std::wstring& folder, const std::string& file_name) {
    const std::wstring name = AnsiToWide(file_name);
    std::wstring path = JoinPath(folder, name);
    g_ini_path = path;
    if (CanWrite(folder, path))
        return;
    std::wstring per_user_folder = PerUserFolder();
    if (per_user_folder.empty())
        return;
    std::wstring per_user = JoinPath(per_user_folder, name);
    if (!FileExists(per_user) && FileExists(path))
        CopyFileW(path.c_str(), per_user.c_str(), TRUE);
    if (CanWrite(per_user_folder, per_user))
        g_ini_path = per_user;
}

void SetIniFile(const std::string& file_name) {
    SetIniFileIn(ProgramFolder(), file_name);
}

// The wide profile functions take the path in UTF-16; a file without a byte-order
// mark keeps its ANSI bytes, so set.ini stays readable by other tools.
std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& default_value) {
    wchar_t buffer[255] = {};
    DWORD copied = GetPrivateProfileStringW(
        AnsiToWide(section).c_str(), AnsiToWide(key).c_str(), AnsiToWide(default_value).c_str(),
        buffer, static_cast<DWORD>(std::size(buffer)), g_ini_path.c_str());
    if (copied == 0)
        return {};
    return WideToAnsi(std::wstring(buffer, wcsnlen(buffer, copied)));
}

void WriteIniString(const std::string& section, const std::string& key, const std::string& value) {
    // A failed write is not reported here; SetIniFile already chose a writable file.
    WritePrivateProfileStringW(AnsiToWide(section).c_str(), AnsiToWide(key).c_str(),
                               AnsiToWide(value).c_str(), g_ini_path.c_str());
}

const std::wstring& IniPath() {
    return g_ini_path;
}

} // namespace qm
