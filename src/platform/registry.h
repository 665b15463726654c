#pragma once
// Text values in the registry, each call one whole operation: the key is opened,
// used and closed again. Paths, names and text are UTF-16.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qm {

// Which value types a read accepts as text. REG_EXPAND_SZ comes back unexpanded.
enum class RegistryText { PlainOnly, PlainOrExpandable };

// The value's text up to its first NUL (stored text need not end in one); nullopt
// for a missing key or value, a type not accepted, a failed read, or a value
// larger than any text this program keeps.
std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& key_path,
                                             const std::wstring& value_name,
                                             RegistryText accepted = RegistryText::PlainOnly);

// Writes the text as REG_SZ with its closing NUL, creating the key as needed.
bool WriteRegistryText(HKEY root, const std::wstring& key_path, const std::wstring& value_name,
                       const std::wstring& text);

// Whether this is a 32-bit process on 64-bit Windows, whose HKLM\Software keys are
// the 32-bit view (Wow6432Node) unless KEY_WOW64_64KEY asks for the other.
bool IsWow64Process();

// The bytes of a REG_BINARY value; nullopt for a missing key or value, another type, or
// a failed read. `view` is 0 or KEY_WOW64_64KEY / KEY_WOW64_32KEY.
std::optional<std::vector<unsigned char>> ReadRegistryBinary(HKEY root,
                                                             const std::wstring& key_path,
                                                             const std::wstring& value_name,
                                                             REGSAM view = 0);

// The names of the key's subkeys; none when it cannot be opened.
std::vector<std::wstring> RegistrySubkeyNames(HKEY root, const std::wstring& key_path);

// True when the value is gone afterwards, also when it or its key never existed.
// The key itself is only opened, never created.
bool DeleteRegistryValue(HKEY root, const std::wstring& key_path, const std::wstring& value_name,
                         REGSAM view = 0);

} // namespace qm
