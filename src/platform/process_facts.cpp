#include "platform/process_facts.h"

#include <vector>

#include "platform/text_codec.h"
#include "platform/unique_handle.h"

namespace qm {

namespace {
IntegrityProbe IntegrityOf(HANDLE process) {
    IntegrityProbe probe;
    probe.opened = true;
    UniqueHandle token;
    if (!OpenProcessToken(process, TOKEN_QUERY, token.put()))
        return probe;
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL))
        return probe;
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size))
        return probe;
    PSID label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (!label || !IsValidSid(label) || *GetSidSubAuthorityCount(label) == 0)
        return probe;
    probe.rid = *GetSidSubAuthority(label, *GetSidSubAuthorityCount(label) - 1u);
    return probe;
}

std::string ExeNameOf(HANDLE process) {
    std::wstring full = ProcessImagePath(process);
    return WideToAnsi(full.substr(full.find_last_of(L"\\/") + 1));
}
} // namespace

std::wstring ProcessImagePath(HANDLE process) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!QueryFullProcessImageNameW(process, 0, path, &length))
        return {};
    return std::wstring(path, length);
}

ProcessFacts QueryProcessFacts(DWORD process_id) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
    if (!process)
        return {};
    return {IntegrityOf(process.get()), ExeNameOf(process.get())};
}

IntegrityProbe OwnIntegrity() {
    return IntegrityOf(GetCurrentProcess());
}

ReachProbe ProbeWindowReach(HWND window, UINT timeout_ms) {
    // No window acts on it: DefWindowProc answers it.
    static const UINT message = RegisterWindowMessageW(L"QuenmarkSearchReachProbe");
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    if (message &&
        SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, timeout_ms, &result))
        return ReachProbe::Answered;
    switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
        return ReachProbe::Denied;
    case ERROR_TIMEOUT:
    case ERROR_SUCCESS: // older Windows set no error on a time-out
        return ReachProbe::TimedOut;
    default:
        return ReachProbe::Failed;
    }
}

} // namespace qm
