#include "settings/ini_value.h"

#include <cstdint>

namespace qm {

int ParseIniInt(const std::string& text, int fallback) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return fallback;
    size_t end = text.find_last_not_of(" \t") + 1;
    bool negative = false;
    if (text[begin] == '-' || text[begin] == '+') {
        negative = text[begin] == '-';
        ++begin;
    }
    if (begin == end)
        return fallback;
    int64_t value = 0;
    for (size_t i = begin; i < end; ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return fallback;
        value = value * 10 + (c - '0');
        if (value > INT64_C(2147483648))
            return fallback;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return fallback;
    return static_cast<int>(value);
}

} // namespace qm
