#include "support/search_launch.h"

#include "platform/shell_open.h"
#include "support/search_url.h"
#include "support/url_budget.h"

namespace qm {

void LaunchSearch(HWND owner, const std::string& url_template, const std::u16string& text) {
    // The formed URL is pure ASCII, so the ANSI form of the shell call loses nothing.
    // A text too long for a URL is cut rather than left to break the launch.
    ShellOpenUrl(owner, FormSearchUrl(url_template, FitSearchText(url_template, text)));
}

} // namespace qm
