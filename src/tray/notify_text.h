#pragma once
// Fitting a text into one of the notification record's fixed character fields.
#include <cstddef>
#include <string>

namespace qm {

// The longest prefix of `text` that fits a field of `field_size` chars together with
// its closing NUL. The text ends at an embedded NUL, as the shell would read it, and
// a double-byte character is never split (is_lead_byte tells the code page's lead bytes).
std::string FitNotifyField(const std::string& text, std::size_t field_size,
                           bool (*is_lead_byte)(unsigned char));

} // namespace qm
