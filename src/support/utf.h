#pragma once
// UTF-16 and UTF-8 for the platform-independent core. An unpaired surrogate
// becomes U+FFFD instead of being dropped, so nothing is silently lost.
#include <optional>
#include <string>

namespace qm {

std::string Utf16ToUtf8(const std::u16string& text);

// Nothing when the bytes are not well-formed UTF-8 (overlong forms, surrogates and
// stray continuation bytes included), so the caller can read them another way.
std::optional<std::u16string> DecodeUtf8(const std::string& bytes);

} // namespace qm
