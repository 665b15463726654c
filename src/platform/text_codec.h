#pragma once
// The one place where text changes encoding at the platform boundary: the ANSI
// code page for set.ini, the registry and the shell; UTF-16 for the search text.
#include <string>

namespace qm {

std::string WideToAnsi(const std::wstring& text);
std::wstring AnsiToWide(const std::string& text);
// As the profile functions read a file that starts with a UTF-8 byte-order mark:
// bytes that are not UTF-8 become U+FFFD.
std::wstring Utf8ToWide(const std::string& text);
std::wstring ToWide(const std::u16string& text);
std::u16string FromWide(const std::wstring& text);

} // namespace qm
