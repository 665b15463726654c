#include "settings/settings_file.h"

#include "platform/program_path.h"
#include "platform/text_codec.h"
#include "platform/unique_handle.h"
#include "platform/whole_file.h"
#include "settings/ini_bytes.h"
#include "support/utf.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace qm {

namespace {
std::wstring g_ini_path;

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L"\\" + name;
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What a save will need: an existing file opened for writing, or a new one created in
// its folder (tried with a probe that goes when it is closed). Empty when refused,
// with the reason in GetLastError().
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
    DWORD error = RetryWhileLocked(
        [&]() -> unsigned long { return OpenForWriting(folder, path) ? 0 : GetLastError(); });
    return error != ERROR_ACCESS_DENIED && error != ERROR_WRITE_PROTECT;
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

// The file as this program edits it, or why it cannot.
enum class Route {
    kText,    // read and edited as text, replaced whole
    kProfile, // unreadable, or far too big for a settings file: the profile functions'
    kLocked,  // held by another program past the wait: nothing can be saved now
};
struct LoadedFile {
    Route route = Route::kText;
    IniFileText ini;
    DWORD error = 0;
};
constexpr size_t kMaxFileBytes = 1 << 20;

LoadedFile LoadFile() {
    LoadedFile file;
    std::string bytes;
    file.error = ReadWholeFile(g_ini_path, kMaxFileBytes, &bytes);
    if (file.error == ERROR_SHARING_VIOLATION || file.error == ERROR_LOCK_VIOLATION)
        file.route = Route::kLocked;
    else if (file.error == 0)
        file.ini = DecodeIniFile(bytes);
    else if (file.error != ERROR_FILE_NOT_FOUND && file.error != ERROR_PATH_NOT_FOUND)
        file.route = Route::kProfile;
    return file;
}

// The save in progress.
struct PendingSave {
    int depth = 0;
    LoadedFile file;
    std::string text_before;
    DWORD error = 0; // a write that failed on the way
};
PendingSave g_save;

// The file as a batch of reads first read it, until a save or another file.
struct ReadBatch {
    int depth = 0;
    bool loaded = false;
    LoadedFile file;
};
ReadBatch g_reads;

// What a read sees: the save's file during a save, else the batch's, else the disk's.
LoadedFile FileToRead() {
    if (g_save.depth)
        return g_save.file;
    if (!g_reads.depth)
        return LoadFile();
    if (!g_reads.loaded) {
        g_reads.file = LoadFile();
        g_reads.loaded = true;
    }
    return g_reads.file;
}

// Values asked for while another program held the file past the wait: the program runs
// on their defaults, and a save must not write those over what the file really holds.
// "\nsection\rkey\rvalue\n" each, until the key can be read.
std::string g_unread;

std::wstring DecodeValue(const std::string& bytes, IniForm form) {
    if (form == IniForm::kUtf8)
        return Utf8ToWide(bytes);
    if (form != IniForm::kAnsi)
        return ToWide(Wtf8ToUtf16(bytes));
    return AnsiToWide(bytes);
}

// What GetPrivateProfileStringW copies into a buffer of 255: outer quotes taken off,
// at most 254 characters.
std::wstring AsProfileCopies(std::wstring value) {
    constexpr size_t kBuffer = 255;
    const bool quoted =
        value.size() > 1 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0];
    if (quoted)
        value.erase(0, 1);
    const size_t length = value.size();
    value.resize(std::min(length, kBuffer - 1));
    if (quoted && kBuffer >= length)
        value.pop_back();
    return value;
}
} // namespace

void SetIniFileIn(const std::wstring& folder, const std::string& file_name) {
    const std::wstring name = AnsiToWide(file_name);
    std::wstring path = JoinPath(folder, name);
    g_ini_path = path;
    g_reads.loaded = false;
    if (!CanWrite(folder, path)) {
        std::wstring per_user_folder = PerUserFolder();
        std::wstring per_user = JoinPath(per_user_folder, name);
        if (!per_user_folder.empty() && !FileExists(per_user) && FileExists(path))
            CopyFileW(path.c_str(), per_user.c_str(), TRUE);
        if (!per_user_folder.empty() && CanWrite(per_user_folder, per_user))
            g_ini_path = per_user;
    }
    DeleteFileW(SavingName(g_ini_path).c_str());
}

void SetIniFile(const std::string& file_name) {
    // Both hotkey fields name the same file as they load: once chosen, it is not probed
    // again. (A per-user copy is, which only a read-only program folder uses.)
    std::wstring folder = ProgramFolder();
    if (g_ini_path != JoinPath(folder, AnsiToWide(file_name)))
        SetIniFileIn(folder, file_name);
}

std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& default_value) {
    const LoadedFile file = FileToRead();
    const std::string entry = '\n' + section + '\r' + key + '\r';
    const size_t unread = g_unread.find(entry);
    if (unread != std::string::npos)
        g_unread.erase(unread, g_unread.find('\n', unread + 1) + 1 - unread);
    if (file.route == Route::kLocked)
        g_unread += entry + default_value + '\n';
    if (file.route == Route::kProfile) {
        wchar_t buffer[255] = {};
        DWORD copied = GetPrivateProfileStringW(
            AnsiToWide(section).c_str(), AnsiToWide(key).c_str(), AnsiToWide(default_value).c_str(),
            buffer, static_cast<DWORD>(std::size(buffer)), g_ini_path.c_str());
        return WideToAnsi(std::wstring(buffer, wcsnlen(buffer, copied)));
    }
    std::optional<std::string> value = GetIniValue(file.ini.text, section, key);
    return WideToAnsi(
        AsProfileCopies(value ? DecodeValue(*value, file.ini.form) : AnsiToWide(default_value)));
}

void BeginIniSave() {
    if (g_save.depth++ > 0)
        return;
    g_save.file = LoadFile();
    g_save.text_before = g_save.file.ini.text;
    g_save.error = g_save.file.route == Route::kLocked ? g_save.file.error : 0;
}

unsigned long EndIniSave() {
    if (--g_save.depth > 0)
        return 0;
    const LoadedFile& file = g_save.file;
    g_reads.loaded = false;
    if (g_save.error || file.route != Route::kText || file.ini.text == g_save.text_before)
        return g_save.error;
    return ReplaceWholeFile(g_ini_path, EncodeIniFile(file.ini));
}

IniReadBatch::IniReadBatch() {
    ++g_reads.depth;
}

IniReadBatch::~IniReadBatch() {
    if (--g_reads.depth == 0)
        g_reads = ReadBatch{};
}

void WriteIniString(const std::string& section, const std::string& key, const std::string& value) {
    // Never read and not changed since: the file keeps what it holds.
    if (g_unread.find('\n' + section + '\r' + key + '\r' + value + '\n') != std::string::npos)
        return;
    BeginIniSave();
    LoadedFile& file = g_save.file;
    if (file.route == Route::kProfile) {
        if (!WritePrivateProfileStringW(AnsiToWide(section).c_str(), AnsiToWide(key).c_str(),
                                        AnsiToWide(value).c_str(), g_ini_path.c_str()))
            g_save.error = GetLastError();
    } else if (file.route == Route::kText) {
        // The file's own encoding: ANSI bytes, unless it says it is Unicode.
        std::string bytes =
            file.ini.form == IniForm::kAnsi ? value : Utf16ToUtf8(FromWide(AnsiToWide(value)));
        file.ini.text = SetIniValue(file.ini.text, section, key, bytes);
    }
    // Inside a save its EndIniSave tells a failure; alone, this is a save of its own
    // that has no one to tell.
    EndIniSave();
}

IniSection ReadIniSectionLines(const std::string& section) {
    LoadedFile file = FileToRead();
    return file.route == Route::kText ? ReadIniSection(file.ini.text, section) : IniSection{};
}

bool WriteIniSectionLines(const std::string& section, const std::vector<IniLine>& lines) {
    BeginIniSave();
    LoadedFile& file = g_save.file;
    if (file.route == Route::kProfile)
        g_save.error = ERROR_FILE_TOO_LARGE;
    else if (file.route == Route::kText)
        file.ini.text = ReplaceIniSection(file.ini.text, section, lines);
    return EndIniSave() == 0;
}

const std::wstring& IniPath() {
    return g_ini_path;
}

} // namespace qm
