#pragma once
// How much search text the program carries. Far more than any engine reads as a
// query, yet the URL, even with every unit percent-encoded as UTF-8 (9 characters
// for one), stays well inside the 32767-character command line a browser gets.
#include <cstddef>

namespace qm {

constexpr size_t kMaxSearchTextLength = 2048; // UTF-16 units

} // namespace qm
