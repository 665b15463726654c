#include "platform/registry.h"

#include "platform/unique_handle.h"

namespace qm {

namespace {
// Far beyond any text this program writes, and longer than any command line a Run
// value could hold; refusing more also keeps a corrupt size from allocating gigabytes.
constexpr DWORD kMaxValueBytes = 64 * 1024;

bool Accepts(RegistryText accepted, DWORD type) {
    return type == REG_SZ || (accepted == RegistryText::PlainOrExpandable && type == REG_EXPAND_SZ);
}
} // namespace

std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& key_path,
                                             const std::wstring& value_name,
                                             RegistryText accepted) {
    UniqueHkey key;
    if (RegOpenKeyExW(root, key_path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        !Accepts(accepted, type) || size > kMaxValueBytes)
        return std::nullopt;
    // One spare character: the stored data need not end in a NUL.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = size;
    if (RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &read) != ERROR_SUCCESS ||
        !Accepts(accepted, type))
        return std::nullopt;
    text.resize(read / sizeof(wchar_t));
    size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos)
        text.resize(nul);
    return text;
}

bool WriteRegistryText(HKEY root, const std::wstring& key_path, const std::wstring& value_name,
                       const std::wstring& text) {
    UniqueHkey key;
    if (RegCreateKeyExW(root, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExW(key.get(), value_name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool IsWow64Process() {
    BOOL wow64 = FALSE;
    return ::IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::optional<std::vector<unsigned char>> ReadRegistryBinary(HKEY root,
                                                             const std::wstring& key_path,
                                                             const std::wstring& value_name,
                                                             REGSAM view) {
    UniqueHkey key;
    if (RegOpenKeyExW(root, key_path.c_str(), 0, KEY_QUERY_VALUE | view, key.put()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_BINARY || size > kMaxValueBytes)
        return std::nullopt;
    std::vector<unsigned char> data(size);
    DWORD read = size;
    if (RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type, data.data(), &read) !=
            ERROR_SUCCESS ||
        type != REG_BINARY)
        return std::nullopt;
    data.resize(read);
    return data;
}

std::vector<std::wstring> RegistrySubkeyNames(HKEY root, const std::wstring& key_path) {
    std::vector<std::wstring> names;
    UniqueHkey key;
    if (RegOpenKeyExW(root, key_path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, key.put()) !=
        ERROR_SUCCESS)
        return names;
    wchar_t name[256]; // the longest key name, with its NUL
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

bool DeleteRegistryValue(HKEY root, const std::wstring& key_path, const std::wstring& value_name,
                         REGSAM view) {
    UniqueHkey key;
    LONG opened = RegOpenKeyExW(root, key_path.c_str(), 0, KEY_SET_VALUE | view, key.put());
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    LONG deleted = RegDeleteValueW(key.get(), value_name.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

} // namespace qm
