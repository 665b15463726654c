#pragma once
// Fitting a text into one of the notification record's fixed character fields.
#include <cstddef>
#include <string>

namespace qm {

// The longest prefix of `text` that fits a field of `field_size` UTF-16 units together
// with its closing NUL. The text ends at an embedded NUL, as the shell would read it,
// and a surrogate pair (a character beyond the first 65,536) is never split.
std::u16string FitNotifyField(const std::u16string& text, std::size_t field_size);

} // namespace qm
