#include "platform/shell_open.h"

#include <shellapi.h>

namespace qm {

void ShellOpenUrl(HWND owner, const std::string& ansi_url) {
    // A failed launch is not reported: the user sees that no browser came up.
    ShellExecuteA(owner, "open", ansi_url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace qm
