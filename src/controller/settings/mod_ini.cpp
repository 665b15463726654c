#include "controller/settings/mod_ini.h"

#include "platform/program_path.h"

#include <windows.h>

namespace qm {

namespace {
std::string g_ini_path;

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the profile functions will be able to write the file: an existing file
// must open for writing; a new one must be creatable in its folder.
bool CanWrite(const std::string& folder, const std::string& path) {
    if (FileExists(path)) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(file);
        return true;
    }
    std::string probe = JoinPath(folder, "~quenmark-write-probe.tmp");
    HANDLE raw = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (raw == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(raw);
    return true;
}

std::string PerUserFolder() {
    char appdata[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("APPDATA", appdata, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string folder = JoinPath(appdata, "Quenmark Search");
    CreateDirectoryA(folder.c_str(), nullptr); // already there is fine
    return folder;
}
} // namespace

void SetIniFileIn(const std::string& folder, const std::string& file_name) {
    std::string path = JoinPath(folder, file_name);
    g_ini_path = path;
    if (CanWrite(folder, path))
        return;
    std::string per_user_folder = PerUserFolder();
    if (per_user_folder.empty())
        return;
    std::string per_user = JoinPath(per_user_folder, file_name);
    if (!FileExists(per_user) && FileExists(path))
        CopyFileA(path.c_str(), per_user.c_str(), TRUE);
    if (CanWrite(per_user_folder, per_user))
        g_ini_path = per_user;
}

void SetIniFile(const std::string& file_name) {
    SetIniFileIn(ProgramFolder(), file_name);
}

std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& default_value) {
    char buffer[255] = {};
    DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), default_value.c_str(),
                                            buffer, sizeof(buffer), g_ini_path.c_str());
    if (copied == 0)
        return {};
    return std::string(buffer, strnlen(buffer, copied));
}

void WriteIniString(const std::string& section, const std::string& key, const std::string& value) {
    // A failed write is not reported here; SetIniFile already chose a writable file.
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), g_ini_path.c_str());
}

const std::string& IniPath() {
    return g_ini_path;
}

} // namespace qm
