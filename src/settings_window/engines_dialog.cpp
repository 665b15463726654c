#include "settings_window/engines_dialog.h"

#include "settings_window/engine_dialog.h"

#include "platform/idn_host.h"
#include "platform/text_codec.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <string>

namespace qm {

namespace {
template <typename Session> Session* SessionOf(HWND dialog) {
    return reinterpret_cast<Session*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The "Engines" dialog: the list and its buttons.
struct EnginesSession {
    const EngineSection* read;
    std::vector<OwnEngine> engines;
};

int Selected(HWND dialog) {
    return static_cast<int>(
        SendDlgItemMessageW(dialog, IDC_ENGINE_LIST, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

void EnableButtons(HWND dialog) {
    const auto& engines = SessionOf<EnginesSession>(dialog)->engines;
    const int selected = Selected(dialog);
    const int count = static_cast<int>(engines.size());
    const struct {
        int id;
        bool enabled;
    } buttons[] = {
        {IDC_ENGINE_ADD, engines.size() < kMaxOwnEngines},
        {IDC_ENGINE_EDIT, selected >= 0},
        {IDC_ENGINE_REMOVE, selected >= 0},
        {IDC_ENGINE_UP, selected > 0},
        {IDC_ENGINE_DOWN, selected >= 0 && selected + 1 < count},
    };
    for (const auto& button : buttons) {
        HWND control = GetDlgItem(dialog, button.id);
        // A button that goes grey while it has the focus hands it to the list, so
        // the keyboard never ends up nowhere.
        if (!button.enabled && GetFocus() == control)
            SendMessageW(dialog, WM_NEXTDLGCTL,
                         reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_ENGINE_LIST)), TRUE);
        EnableWindow(control, button.enabled);
    }
}

void FillList(HWND dialog, int select) {
    HWND list = GetDlgItem(dialog, IDC_ENGINE_LIST);
    const auto& engines = SessionOf<EnginesSession>(dialog)->engines;
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < engines.size(); ++i) {
        std::wstring caption = ToWide(engines[i].caption);
        std::wstring url = ToWide(ShownTemplate(engines[i].url_template, IdnHostToAscii));
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = caption.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = url.data();
        SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    }
    if (select >= 0 && select < static_cast<int>(engines.size())) {
        LVITEMW state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, select, reinterpret_cast<LPARAM>(&state));
        SendMessageW(list, LVM_ENSUREVISIBLE, select, FALSE);
    }
    EnableButtons(dialog);
}

// Lines of [engines] that offer no engine stay in set.ini as they are; the dialog
// says which and why, so the user can mend them.
void ShowLeftOut(HWND dialog, const EngineSection& read) {
    if (read.left_out.empty()) {
        ShowWindow(GetDlgItem(dialog, IDC_ENGINE_LEFT_OUT_LABEL), SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_ENGINE_LEFT_OUT), SW_HIDE);
        return;
    }
    std::wstring text;
    for (const LeftOutLine& line : read.left_out) {
        wchar_t head[32];
        wsprintfW(head, L"%sLine %d: ", text.empty() ? L"" : L"\r\n", line.line_number);
        text += head + std::wstring(line.reason.begin(), line.reason.end()) + L"  " +
                ToWide(line.text.substr(0, 80));
    }
    SetDlgItemTextW(dialog, IDC_ENGINE_LEFT_OUT, text.c_str());
}

void OpenEngine(HWND dialog, int index) {
    auto& engines = SessionOf<EnginesSession>(dialog)->engines;
    OwnEngine engine;
    if (index >= 0)
        engine = engines[index];
    std::vector<OwnEngine> others = engines;
    if (index >= 0)
        others.erase(others.begin() + index);
    if (!EditEngine(dialog, &engine, others))
        return;
    if (index < 0) {
        engines.push_back(engine);
        index = static_cast<int>(engines.size()) - 1;
    } else {
        engines[index] = engine; // keeps its place in the file
    }
    FillList(dialog, index);
}

void OnListButton(HWND dialog, int id) {
    auto& engines = SessionOf<EnginesSession>(dialog)->engines;
    const int selected = Selected(dialog);
    const int count = static_cast<int>(engines.size());
    switch (id) {
    case IDC_ENGINE_ADD:
        if (engines.size() < kMaxOwnEngines)
            OpenEngine(dialog, -1);
        break;
    case IDC_ENGINE_EDIT:
        if (selected >= 0)
            OpenEngine(dialog, selected);
        break;
    case IDC_ENGINE_REMOVE:
        if (selected >= 0) {
            engines.erase(engines.begin() + selected);
            FillList(dialog, selected < count - 1 ? selected : selected - 1);
        }
        break;
    case IDC_ENGINE_UP:
    case IDC_ENGINE_DOWN: {
        int other = selected + (id == IDC_ENGINE_UP ? -1 : 1);
        if (selected >= 0 && other >= 0 && other < count) {
            std::swap(engines[selected], engines[other]);
            FillList(dialog, other);
        }
        break;
    }
    default:
        break;
    }
}

void SetUpList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_ENGINE_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client;
    GetClientRect(list, &client);
    const int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    const struct {
        const wchar_t* caption;
        int width;
    } columns[] = {{L"Name", width / 3}, {L"Address", width - width / 3}};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i].caption);
        column.cx = columns[i].width;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

INT_PTR CALLBACK EnginesProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        SetUpList(dialog);
        ShowLeftOut(dialog, *reinterpret_cast<EnginesSession*>(lparam)->read);
        FillList(dialog, 0);
        SetFocus(GetDlgItem(dialog, IDC_ENGINE_LIST));
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)
            EndDialog(dialog, LOWORD(wparam));
        else
            OnListButton(dialog, LOWORD(wparam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header->idFrom != IDC_ENGINE_LIST)
            return FALSE;
        if (header->code == LVN_ITEMCHANGED)
            EnableButtons(dialog);
        else if (header->code == NM_DBLCLK)
            OnListButton(dialog, IDC_ENGINE_EDIT);
        else if (header->code == LVN_KEYDOWN &&
                 reinterpret_cast<const NMLVKEYDOWN*>(lparam)->wVKey == VK_DELETE)
            OnListButton(dialog, IDC_ENGINE_REMOVE);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
} // namespace

std::optional<std::vector<OwnEngine>> EditOwnEngines(HWND owner, const EngineSection& read) {
    EnginesSession session{&read, read.engines};
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ENGINES), owner,
                        EnginesProc, reinterpret_cast<LPARAM>(&session)) != IDOK)
        return std::nullopt;
    return session.engines;
}

} // namespace qm
