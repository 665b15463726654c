#include "update/update_check.h"

#include "update/maker_sites.h"
#include "platform/scope_exit.h"
#include "platform/shell_open.h"

namespace qm {

UpdateCheck RunUpdateCheck(HWND owner) {
    // Messages are dispatched while the fetch and the question run, so a second
    // request for the check can arrive before the first has finished.
    static bool running = false;
    static int checks_run = 0;
    if (running)
        return UpdateCheck::Done;
    running = true;
    ScopeExit done([] { running = false; });

    const VersionFetch fetch = FetchVersionText(sites::kVersionFile);
    if (TryUpdateCheckAgain(fetch, ++checks_run))
        return UpdateCheck::TryAgainLater;
    if (JudgeVersionAnswer(kOwnVersion, fetch.text) != UpdateVerdict::Newer)
        return UpdateCheck::Done;
    // The owner went away while we waited: the program is closing, ask nothing.
    if (owner && !IsWindow(owner))
        return UpdateCheck::Done;
    int choice = MessageBoxA(owner, "Find new version.Do you open the web?", "Please select",
                             MB_OKCANCEL | MB_DEFBUTTON1);
    if (choice == IDOK)
        ShellOpenUrl(owner, sites::kDownloadPage);
    return UpdateCheck::Done;
}

} // namespace qm
