#include "settings/settings_file.h"

#include "platform/program_path.h"
#include "platform/text_codec.h"
#include "platform/unique_handle.h"
#include "support/utf.h"

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

// The file as text: a file saved as UTF-16 is held as UTF-8 and saved back as UTF-16;
// any other keeps its bytes.
enum class Form { kBytes, kUtf8Marked, kUtf16Le, kUtf16Be };
struct FileText {
    std::string text;
    Form form = Form::kBytes;
    bool usable = true; // false: unreadable, or far too big for a settings file
};
constexpr DWORD kMaxFileBytes = 1 << 20;

std::u16string Utf16Units(const std::string& bytes, bool big_endian) {
    std::u16string units;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        unsigned char first = bytes[i], second = bytes[i + 1];
        units += static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

FileText LoadFile() {
    FileText file;
    UniqueHandle handle = OwnFileHandle(CreateFileW(
        g_ini_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        DWORD error = GetLastError();
        file.usable = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return file;
    }
    DWORD size = GetFileSize(handle.get(), nullptr);
    if (size > kMaxFileBytes) {
        file.usable = false;
        return file;
    }
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (size && !ReadFile(handle.get(), bytes.data(), size, &read, nullptr)) {
        file.usable = false;
        return file;
    }
    bytes.resize(read);
    if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
        file.form = bytes[0] == '\xFE' ? Form::kUtf16Be : Form::kUtf16Le;
        file.text = Utf16ToUtf8(Utf16Units(bytes, file.form == Form::kUtf16Be));
    } else {
        file.form = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? Form::kUtf8Marked : Form::kBytes;
        file.text = std::move(bytes);
    }
    return file;
}

bool StoreFile(const FileText& file) {
    std::string bytes = file.text;
    if (file.form == Form::kUtf16Le || file.form == Form::kUtf16Be) {
        std::optional<std::u16string> units = DecodeUtf8(file.text);
        if (!units)
            return false;
        const bool big = file.form == Form::kUtf16Be;
        bytes = big ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t unit : *units) {
            char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += big ? high : low;
            bytes += big ? low : high;
        }
    }
    // Written in place: the file keeps its attributes, and a folder that lets this
    // file be written but no new one be made still works.
    UniqueHandle handle =
        OwnFileHandle(CreateFileW(g_ini_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return handle &&
           WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size() && SetEndOfFile(handle.get());
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

// A failed write is not reported here; SetIniFile already chose a writable file.
void WriteIniString(const std::string& section, const std::string& key, const std::string& value) {
    FileText file = LoadFile();
    if (!file.usable) {
        // Not a file this program edits line by line: the profile functions may still.
        WritePrivateProfileStringW(AnsiToWide(section).c_str(), AnsiToWide(key).c_str(),
                                   AnsiToWide(value).c_str(), g_ini_path.c_str());
        return;
    }
    // The file's own encoding: ANSI bytes, unless it says it is Unicode.
    std::string bytes =
        file.form == Form::kBytes ? value : Utf16ToUtf8(FromWide(AnsiToWide(value)));
    std::string edited = SetIniValue(file.text, section, key, bytes);
    if (edited != file.text) {
        file.text = std::move(edited);
        StoreFile(file);
    }
}

IniSection ReadIniSectionLines(const std::string& section) {
    FileText file = LoadFile();
    return file.usable ? ReadIniSection(file.text, section) : IniSection{};
}

bool WriteIniSectionLines(const std::string& section, const std::vector<IniLine>& lines) {
    FileText file = LoadFile();
    if (!file.usable)
        return false;
    std::string edited = ReplaceIniSection(file.text, section, lines);
    if (edited == file.text)
        return true;
    file.text = std::move(edited);
    return StoreFile(file);
}

const std::wstring& IniPath() {
    return g_ini_path;
}

} // namespace qm
