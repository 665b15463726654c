#pragma once
// Forming a search URL: the search text goes where the template's placeholder
// stands, or at its end. Characters that would change the URL's structure or not
// survive the ANSI code page are percent-encoded as UTF-8; blanks and other
// printable ASCII go in as they are.
#include <cstddef>
#include <string>

namespace qm {

// Where the text goes: the first "{searchTerms}" or "%s" (OpenSearch's and the
// browsers' marks), or the end of the template (length 0) when it has neither.
struct Placeholder {
    size_t at;
    size_t length;
};
Placeholder FindPlaceholder(const std::string& url_template);

std::string FormSearchUrl(const std::string& url_template, const std::u16string& text);

} // namespace qm
