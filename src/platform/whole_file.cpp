#include "platform/whole_file.h"

#include "platform/unique_handle.h"

#include <windows.h>

namespace qm {

namespace {
constexpr ULONGLONG kLockWaitMs = 1000;
constexpr DWORD kLockRetryMs = 50;
constexpr DWORD kAnyoneMay = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error ? error : fallback;
}

DWORD WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        return LastErrorOr(ERROR_WRITE_FAULT);
    return SetEndOfFile(file) && FlushFileBuffers(file) ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
}

DWORD WriteInPlace(const std::wstring& path, const std::string& bytes) {
    return RetryWhileLocked([&]() -> unsigned long {
        UniqueHandle file =
            OwnFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file ? WriteAll(file.get(), bytes) : GetLastError();
    });
}

// The file a symbolic link names; any other path as it is.
std::wstring LinkTarget(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    UniqueHandle file = OwnFileHandle(CreateFileW(
        path.c_str(), 0, kAnyoneMay, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    wchar_t target[1024];
    DWORD length = file ? GetFinalPathNameByHandleW(file.get(), target, 1024, 0) : 0;
    return length > 0 && length < 1024 ? std::wstring(target, length) : path;
}

bool HasOtherHardLinks(const std::wstring& path) {
    UniqueHandle file =
        OwnFileHandle(CreateFileW(path.c_str(), 0, kAnyoneMay, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    return file && GetFileInformationByHandle(file.get(), &info) && info.nNumberOfLinks > 1;
}
} // namespace

unsigned long RetryWhileLocked(const std::function<unsigned long()>& attempt) {
    const ULONGLONG give_up = GetTickCount64() + kLockWaitMs;
    for (;;) {
        DWORD error = attempt();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) ||
            GetTickCount64() >= give_up)
            return error;
        Sleep(kLockRetryMs);
    }
}

unsigned long ReadWholeFile(const std::wstring& path, size_t max_bytes, std::string* bytes) {
    return RetryWhileLocked([&]() -> unsigned long {
        UniqueHandle file =
            OwnFileHandle(CreateFileW(path.c_str(), GENERIC_READ, kAnyoneMay, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size;
        if (!file || !GetFileSizeEx(file.get(), &size))
            return GetLastError();
        if (static_cast<unsigned long long>(size.QuadPart) > max_bytes)
            return ERROR_FILE_TOO_LARGE;
        bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        if (size.QuadPart &&
            !ReadFile(file.get(), bytes->data(), static_cast<DWORD>(size.QuadPart), &read, nullptr))
            return GetLastError();
        bytes->resize(read);
        return 0;
    });
}

std::wstring SavingName(const std::wstring& path) {
    return path + L".saving";
}

unsigned long ReplaceWholeFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring target = LinkTarget(path);
    // Replacing one name of several would part it from the others.
    if (HasOtherHardLinks(target))
        return WriteInPlace(target, bytes);
    DWORD attributes = GetFileAttributesW(target.c_str());
    attributes = attributes == INVALID_FILE_ATTRIBUTES
                     ? 0
                     : attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    const std::wstring saving = SavingName(target);
    DeleteFileW(saving.c_str()); // a crash's leftover, if any
    {
        UniqueHandle file =
            OwnFileHandle(CreateFileW(saving.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            DWORD error = GetLastError();
            // A folder that lets the file be written but no file be made in it.
            return error == ERROR_ACCESS_DENIED ? WriteInPlace(target, bytes) : error;
        }
        if (DWORD error = WriteAll(file.get(), bytes)) {
            file.reset();
            DeleteFileW(saving.c_str());
            return error;
        }
    }
    DWORD error = 0;
    RetryWhileLocked([&]() -> unsigned long {
        error = MoveFileExW(saving.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                    ? 0
                    : GetLastError();
        // A file held open without delete sharing refuses to be replaced with a sharing
        // violation, or with access denied (a scanner on Windows, any holder under Wine).
        return error == ERROR_ACCESS_DENIED ? ERROR_SHARING_VIOLATION : error;
    });
    if (error)
        DeleteFileW(saving.c_str());
    return error;
}

} // namespace qm
