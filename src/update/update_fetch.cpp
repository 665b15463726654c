#include "update/update_check.h"

#include "update/update_version.h"
#include "platform/message_pump.h"
#include "platform/unique_handle.h"
#include "platform/wininet_library.h"

#include <algorithm>

namespace qm {

namespace {

void CloseHinternet(HINTERNET h) {
    WinInet()->close_handle(h); // a handle exists only once WinINet is loaded
}
// Here rather than beside the other owners: WinINet's header stays out of every window.
using UniqueHinternet = UniqueAny<HINTERNET, CloseHinternet>;

constexpr DWORD kTimeoutMs = 60 * 1000;
constexpr char kUserAgent[] = "Quenmark Search";

// Shared by the calling thread and the worker; whichever ends last frees it, so a
// worker left behind by an abandoned fetch only ever touches this. Plain Win32
// threads and locks: std::thread would add a third to the size of the shipped exe.
struct FetchState {
    SRWLOCK lock = SRWLOCK_INIT;
    LONG references = 2; // the caller and the worker
    bool abandoned = false;
    VersionFetch answer;
    UniqueHandle done;
    std::string url;
    const WinInetApi* api = nullptr;
};

void Release(FetchState* state) {
    if (InterlockedDecrement(&state->references) == 0)
        delete state;
}

class Locked {
  public:
    explicit Locked(FetchState& state) : lock_(&state.lock) { AcquireSRWLockExclusive(lock_); }
    ~Locked() { ReleaseSRWLockExclusive(lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    SRWLOCK* lock_;
};

void SetTimeouts(const WinInetApi& api, HINTERNET handle) {
    DWORD ms = kTimeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                         INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
        api.set_option(handle, option, &ms, sizeof(ms)); // the overall deadline still holds
}

struct HttpTarget {
    std::string host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    std::string path;
};

std::optional<HttpTarget> SplitHttpUrl(const WinInetApi& api, const std::string& url) {
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = 1; // non-zero: point into `url`
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!api.crack_url(url.c_str(), 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTP ||
        !parts.lpszHostName || parts.dwHostNameLength == 0)
        return std::nullopt;
    HttpTarget target;
    target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    target.port = parts.nPort;
    if (parts.lpszUrlPath)
        target.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo)
        target.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (target.path.empty())
        target.path = "/";
    return target;
}

bool Abandoned(FetchState& state) {
    Locked lock(state);
    return state.abandoned;
}

void Deliver(FetchState& state, VersionFetch answer) {
    Locked lock(state);
    state.answer = std::move(answer);
    SetEvent(state.done.get());
}

// Every internet handle is opened and closed on this thread alone: closing one that
// another thread is using is unsafe, and handle values are recycled quickly.
void Transfer(FetchState* state) {
    const WinInetApi& api = *state->api;
    std::optional<HttpTarget> target = SplitHttpUrl(api, state->url);
    if (!target) {
        Deliver(*state, {});
        return;
    }
    UniqueHinternet session(
        api.open(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session)
        SetTimeouts(api, session.get());
    UniqueHinternet connection(session
                                   ? api.connect(session.get(), target->host.c_str(), target->port,
                                                 nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0)
                                   : nullptr);
    // Always ask the server: a cached copy could hide a new version. A move of the site
    // to HTTPS is followed even where Internet Options would warn of the change of zone:
    // with no one to answer, that warning fails the request (12039).
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                        INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
    UniqueHinternet request(connection
                                ? api.open_request(connection.get(), "GET", target->path.c_str(),
                                                   nullptr, nullptr, nullptr, flags, 0)
                                : nullptr);
    if (!request) {
        Deliver(*state, {});
        return;
    }
    // Wine ignores the time-outs of the session for a request: set them here too.
    SetTimeouts(api, request.get());
    if (!api.send_request(request.get(), nullptr, 0, nullptr, 0)) {
        // Whether a connection was made at all decides whether the check comes again.
        Deliver(*state, {std::nullopt, false, GetLastError()});
        return;
    }
    DWORD status = 0;
    DWORD status_size = sizeof(status);
    if (!api.query_info(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &status_size, nullptr) ||
        !IsVersionFileStatus(status)) {
        Deliver(*state, {std::nullopt, true, 0});
        return;
    }

    std::string body;
    char buffer[1024];
    while (body.size() < kMaxVersionAnswer && !Abandoned(*state)) {
        DWORD want = static_cast<DWORD>(std::min(sizeof(buffer), kMaxVersionAnswer - body.size()));
        DWORD got = 0;
        if (!api.read_file(request.get(), buffer, want, &got) || got == 0)
            break;
        body.append(buffer, got);
    }
    // Before the handles close: closing may first read the rest of a long answer.
    Deliver(*state, {std::move(body), true, 0});
}

DWORD WINAPI TransferThread(void* parameter) {
    auto* state = static_cast<FetchState*>(parameter);
    Transfer(state);
    Release(state);
    return 0;
}

} // namespace

VersionFetch FetchVersionText(const char* url) {
    if (!url)
        return {};
    const WinInetApi* api = WinInet();
    if (!api)
        return {};
    auto* state = new FetchState;
    state->url = url;
    state->api = api;
    state->done.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle worker(state->done ? CreateThread(nullptr, 0, TransferThread, state, 0, nullptr)
                                    : nullptr);
    if (!worker) {
        delete state; // no worker took its reference
        return {};
    }

    // One deadline for the whole request: a server that trickles bytes never times
    // out a single read, and the user interface must not wait on it for ever.
    const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
    bool finished = false;
    std::optional<int> quit_code;
    HANDLE done = state->done.get();
    while (!finished && !quit_code) {
        ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            break;
        DWORD wait = MsgWaitForMultipleObjectsEx(1, &done, static_cast<DWORD>(deadline - now),
                                                 QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (wait == WAIT_OBJECT_0)
            finished = true;
        else if (wait == WAIT_OBJECT_0 + 1)
            quit_code = DispatchPending();
        else
            break; // timed out, or the wait itself failed
    }

    // The worker ends on its own, at the latest when its own time-outs run out; the
    // state it shares outlives whichever of the two ends last.
    VersionFetch answer;
    {
        Locked lock(*state);
        if (finished)
            answer = std::move(state->answer);
        else
            state->abandoned = true;
    }
    Release(state);
    if (quit_code)
        PostQuitMessage(*quit_code);
    return answer;
}

} // namespace qm
