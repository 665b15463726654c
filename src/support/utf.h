#pragma once
// UTF-16 to UTF-8 for the platform-independent core. An unpaired surrogate
// becomes U+FFFD instead of being dropped, so nothing is silently lost.
#include <string>

namespace qm {

std::string Utf16ToUtf8(const std::u16string& text);

} // namespace qm
