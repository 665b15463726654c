#pragma once
// Forming a search URL: the template followed by the search text. Characters that
// would change the URL's structure or not survive the ANSI code page are
// percent-encoded as UTF-8; blanks and other printable ASCII go in as they are.
#include <string>

namespace qm {

std::string FormSearchUrl(const std::string& url_template, const std::u16string& text);

} // namespace qm
