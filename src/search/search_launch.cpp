#include "search/search_launch.h"

#include "platform/shell_open.h"
#include "platform/text_codec.h"
#include "search/search_url.h"
#include "search/url_budget.h"
#include "support/utf.h"

namespace qm {

void LaunchSearch(HWND owner, const std::string& url_template, const std::u16string& text) {
    // A text too long for a URL is cut rather than left to break the launch. The text
    // goes in encoded, so only a user's template can bring characters beyond ASCII.
    std::string url = FormSearchUrl(url_template, FitSearchText(url_template, text));
    if (std::optional<std::u16string> wide = DecodeUtf8(url))
        ShellOpenUrl(owner, ToWide(*wide));
}

} // namespace qm
