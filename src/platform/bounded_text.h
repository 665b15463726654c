#pragma once
// Text taken from a buffer another program filled: it may lack its terminator
// and may be far longer than anything the program can use.
#include <cstddef>
#include <string>

namespace qm {

// The text up to the first NUL or the end of the buffer, whichever comes first,
// cut to at most max_units UTF-16 units without splitting a surrogate pair.
std::u16string BoundedUtf16(const char16_t* data, size_t available_units, size_t max_units);

// The same cut for text already in hand.
std::u16string CutUtf16(const std::u16string& text, size_t max_units);

} // namespace qm
