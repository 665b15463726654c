#include "settings_window/engine_dialog.h"

#include "platform/idn_host.h"
#include "platform/text_codec.h"
#include "resources/resource_ids.h"
#include "search/search_launch.h"
#include "support/utf.h"

namespace qm {

namespace {
// What "Try" searches for.
constexpr char16_t kSampleText[] = u"example";

std::u16string FieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(field, text.data(), text.size())));
    // Blanks around a value would not survive set.ini.
    size_t begin = text.find_first_not_of(L" \t");
    return begin == std::wstring::npos
               ? std::u16string()
               : FromWide(text.substr(begin, text.find_last_not_of(L" \t") - begin + 1));
}

// The "Engine" dialog: one engine's name and address, checked as they are typed.
struct EngineSession {
    OwnEngine engine;
    const std::vector<OwnEngine>* others;
};

// What is wrong with an engine, and the field to mend; empty when nothing is.
std::string Problem(const EngineSession& session, const OwnEngine& engine, int* field) {
    std::string problem = CaptionProblem(engine.caption, *session.others);
    *field = IDC_ENGINE_NAME;
    if (problem.empty()) {
        problem = TemplateProblem(engine.url_template, IdnHostToAscii);
        *field = IDC_ENGINE_URL;
    }
    return problem;
}

// Reads the fields; shows what is wrong under them. False, with the focus on the
// field to mend, when the engine cannot be used.
bool ReadEngine(HWND dialog, const EngineSession& session, OwnEngine* engine, bool focus_problem) {
    engine->caption = FieldText(dialog, IDC_ENGINE_NAME);
    engine->url_template = FieldText(dialog, IDC_ENGINE_URL);
    int field = 0;
    const std::string problem = Problem(session, *engine, &field);
    // A new, still empty form is not scolded.
    bool blank = engine->caption.empty() && engine->url_template.empty() && !focus_problem;
    SetDlgItemTextA(dialog, IDC_ENGINE_PROBLEM, blank ? "" : problem.c_str());
    if (!problem.empty() && focus_problem) {
        // A screen reader says nothing about the changed line; it reads a message box.
        MessageBoxA(dialog, problem.c_str(), "Quenmark Search", MB_OK | MB_ICONWARNING);
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, field)),
                     TRUE);
    }
    return problem.empty();
}

INT_PTR CALLBACK EngineProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        const OwnEngine& engine = reinterpret_cast<EngineSession*>(lparam)->engine;
        SendDlgItemMessageW(dialog, IDC_ENGINE_NAME, EM_LIMITTEXT, kMaxCaptionLength, 0);
        SendDlgItemMessageW(dialog, IDC_ENGINE_URL, EM_LIMITTEXT, kMaxTemplateLength, 0);
        SetDlgItemTextW(dialog, IDC_ENGINE_NAME, ToWide(engine.caption).c_str());
        SetDlgItemTextW(dialog, IDC_ENGINE_URL, ToWide(engine.url_template).c_str());
        return TRUE; // the focus goes to the name
    }
    if (message != WM_COMMAND)
        return FALSE;
    auto* session = reinterpret_cast<EngineSession*>(GetWindowLongPtrW(dialog, DWLP_USER));
    OwnEngine typed = session->engine;
    switch (LOWORD(wparam)) {
    case IDC_ENGINE_NAME:
    case IDC_ENGINE_URL:
        if (HIWORD(wparam) == EN_CHANGE)
            ReadEngine(dialog, *session, &typed, false);
        return TRUE;
    case IDC_ENGINE_TRY:
        if (ReadEngine(dialog, *session, &typed, true))
            LaunchSearch(dialog, Utf16ToUtf8(typed.url_template), kSampleText);
        return TRUE;
    case IDOK:
        if (ReadEngine(dialog, *session, &typed, true)) {
            session->engine = typed;
            EndDialog(dialog, IDOK);
        }
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

bool EditEngine(HWND owner, OwnEngine* engine, const std::vector<OwnEngine>& others) {
    EngineSession session{*engine, &others};
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ENGINE), owner, EngineProc,
                        reinterpret_cast<LPARAM>(&session)) != IDOK)
        return false;
    *engine = session.engine;
    return true;
}

} // namespace qm
