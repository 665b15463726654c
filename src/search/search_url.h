#pragma once
// Forming a search URL. The search text is percent-encoded as UTF-8 except for the
// characters that mean nothing in any part of a URL (A-Z a-z 0-9 - . _ ~): no blank,
// / or & of it can change where it goes, and a browser registered with an unquoted
// %1 still gets one argument. Templates are taken as users paste them from their
// browsers: blanks, quotes and every kind of placeholder.
#include <cstddef>
#include <string>

namespace qm {

// A template as it goes out, with kTextMark wherever the text goes (at its end when
// it has no placeholder). A template with control characters is never launched, so
// the mark stands for nothing else.
constexpr char kTextMark = '\x01';
struct MendedTemplate {
    std::string url;
    std::string unfilled; // the first {name} that nothing fills, braces included

    size_t Copies() const;     // of the text
    size_t FixedBytes() const; // the URL's bytes that are not search text
};
// Blanks and quotes become %20 and %22; {searchTerms}, %s and %S each take the text;
// an optional OpenSearch {name?} is dropped; {inputEncoding} and {outputEncoding}
// are UTF-8. An escape such as %3D stays as it is.
MendedTemplate MendTemplate(const std::string& url_template);

std::string EncodeSearchText(const std::u16string& text);

// url_template: UTF-8.
std::string FormSearchUrl(const std::string& url_template, const std::u16string& text);

} // namespace qm
