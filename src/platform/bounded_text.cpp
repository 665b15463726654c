#include "platform/bounded_text.h"

namespace qm {

namespace {
bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Length of the text cut to max_units, one shorter when the cut would leave the
// first half of a pair on its own.
size_t CutLength(const char16_t* data, size_t length, size_t max_units) {
    if (length <= max_units)
        return length;
    size_t cut = max_units;
    if (cut > 0 && IsHighSurrogate(data[cut - 1]))
        --cut;
    return cut;
}
} // namespace

std::u16string BoundedUtf16(const char16_t* data, size_t available_units, size_t max_units) {
    if (!data)
        return {};
    // Scanning past max_units is pointless: only whether the text goes on matters.
    size_t scan_limit = available_units < max_units + 1 ? available_units : max_units + 1;
    size_t length = 0;
    while (length < scan_limit && data[length] != u'\0')
        ++length;
    return std::u16string(data, CutLength(data, length, max_units));
}

std::u16string CutUtf16(const std::u16string& text, size_t max_units) {
    return text.substr(0, CutLength(text.data(), text.size(), max_units));
}

} // namespace qm
