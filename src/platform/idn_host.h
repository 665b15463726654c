#pragma once
// International host names in the ASCII form browsers send ("xn--..."), through
// IdnToAscii: kernel32's from Windows 7, normaliz.dll's on Vista.
#include <optional>
#include <string>

namespace qm {

// Nothing when Windows refuses the name or has no conversion.
std::optional<std::u16string> IdnHostToAscii(const std::u16string& host);

} // namespace qm
