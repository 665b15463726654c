#pragma once
// How much of a search text fits into the URL a browser is started with.
#include <cstddef>
#include <string>

namespace qm {

// Longest URL handed to the shell. Windows' own URL handling stops at 2083
// characters, and Wine's shell overruns a 1024-character buffer (crashing the
// caller) once the browser's command line with the URL in it reaches that size.
// 900 leaves room for the browser's own command and is still far more than any
// engine reads as a query.
constexpr size_t kMaxUrlLength = 900;
// What a template of the user's own leaves at least for the text, in bytes.
constexpr size_t kMinTextRoom = 100;

// The longest start of text whose search URL (template + encoded text) stays
// within max_url_length; whole characters only, so no escape or pair is split. A
// template that alone takes the whole budget leaves room for no text.
std::u16string FitSearchText(const std::string& url_template, const std::u16string& text,
                             size_t max_url_length = kMaxUrlLength);

} // namespace qm
