#pragma once
// UTF-8 / UTF-16 conversion for the platform-independent core. Malformed input
// becomes U+FFFD instead of being dropped, so nothing is silently lost.
#include <string>

namespace qm {

std::string Utf16ToUtf8(const std::u16string& text);
std::u16string Utf8ToUtf16(const std::string& text);

} // namespace qm
