#include "auto_start/auto_start.h"
#include "settings_window/settings_window.h"
#include "single_instance/single_instance.h"
#include "platform/dialog_keys.h"
#include "platform/restart_registration.h"
#include "platform/startup_trace.h"
#include "platform/system_library.h"

#include <commctrl.h>
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
    qm::LoadDllsFromSystemFolderOnly(); // before anything can load a DLL by name
    // The uninstaller runs the installed exe with "/unregister" before it removes the
    // files, so no startup entry is left naming a missing exe; an upgrade's removal of
    // the old version runs it with "/exit". Both first ask a running copy to save and
    // end, so its exe is not in use. No window, no settings of their own.
    std::string arguments = command_line ? command_line : "";
    arguments.erase(0, arguments.find_first_not_of(' '));
    arguments.erase(arguments.find_last_not_of(' ') + 1);
    const bool unregister = lstrcmpiA(arguments.c_str(), "/unregister") == 0;
    if (unregister || lstrcmpiA(arguments.c_str(), "/exit") == 0) {
        const bool closed = qm::CloseRunningCopy(qm::SettingsWindow::kClassName);
        if (unregister)
            qm::RemoveEveryAutoStartEntry();
        return closed ? 0 : 1;
    }

    qm::TraceMark("dll search");
    qm::SingleInstance single_instance;
    if (!single_instance.Acquire()) {
        qm::ActivateRunningCopy(qm::SettingsWindow::kClassName);
        return 0;
    }
    qm::TraceMark("single instance");
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    qm::SettingsWindow settings_window;
    if (!settings_window.Load())
        return 1;
    // An installer that closes the program to replace its exe starts it again. The
    // argument is none of the above, so that start is a plain one; the second copy that
    // a start at logon may bring along hands over to this one.
    qm::RegisterRestartAfterUpdate(L"/restart");
    // Wide messages: characters typed into the panel's Unicode box survive whatever
    // the ANSI code page is.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (qm::PreTranslate(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
