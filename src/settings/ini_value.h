#pragma once
// Reading whole numbers out of set.ini values.
#include <string>

namespace qm {

// A value that is not a whole decimal number fitting in 32 bits (empty, "abc",
// "99999999999", "1e3") yields the fallback. Surrounding blanks are allowed.
int ParseIniInt(const std::string& text, int fallback);

} // namespace qm
