#include "controller/frm_set.h"
#include "controller/single_instance.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    qm::SingleInstance single_instance;
    if (!single_instance.Acquire()) {
        qm::ActivateRunningCopy(qm::FrmSet::kClassName);
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    qm::FrmSet frmSet;
    if (!frmSet.Load())
        return 1;
    // Wide messages: characters typed into the panel's Unicode box survive whatever
    // the ANSI code page is.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (frmSet.PreTranslate(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
