#include "controller/update_check.h"

#include "controller/maker_sites.h"
#include "controller/update_version.h"
#include "platform/scope_exit.h"
#include "platform/shell_open.h"

namespace qm {

void RunUpdateCheck(HWND owner) {
    // Messages are dispatched while the fetch and the question run, so a second
    // request for the check can arrive before the first has finished.
    static bool running = false;
    if (running)
        return;
    running = true;
    ScopeExit done([] { running = false; });

    std::optional<std::string> answer = FetchVersionText(sites::kVersionFile);
    if (JudgeVersionAnswer(kOwnVersion, answer) != UpdateVerdict::Newer)
        return;
    // The owner went away while we waited: the program is closing, ask nothing.
    if (owner && !IsWindow(owner))
        return;
    int choice = MessageBoxA(owner, "Find new version.Do you open the web?", "Please select",
                             MB_OKCANCEL | MB_DEFBUTTON1);
    if (choice == IDOK)
        ShellOpenUrl(owner, sites::kDownloadPage);
}

} // namespace qm
