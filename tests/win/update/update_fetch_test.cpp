#include "update/update_check.h"
#include "platform/wininet_library.h"

#include "pump.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace qm {
namespace {

TEST(FetchVersionText, NothingReceivedIsNoAnswer) {
    const char* const urls[] = {
        nullptr,
        "",
        "not a url",
        "ftp://127.0.0.1/search/updata/updatanew.txt",
        "http://",
        "http://127.0.0.1:1/search/updata/updatanew.txt", // nobody listens there
    };
    for (const char* url : urls)
        EXPECT_EQ(FetchVersionText(url).text, std::nullopt) << (url ? url : "(null)");
}

TEST(FetchVersionText, DialogKeysAndQuitRequestSurviveTheWait) {
    // Tab keeps moving the focus while the fetch waits, and the program may be asked
    // to end meanwhile: the request must not be lost.
    test::DialogKeysWindow window;
    ASSERT_EQ(GetFocus(), window.first());
    window.PostTab();
    PostQuitMessage(7);
    EXPECT_EQ(FetchVersionText("http://127.0.0.1:1/search/updata/updatanew.txt").text,
              std::nullopt);
    EXPECT_EQ(GetFocus(), window.second());
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(FetchVersionText, WinInetIsLoadedAtTheFirstFetchAndKept) {
    // It costs start-up time and memory, and serves one check per run.
    ASSERT_EQ(GetModuleHandleA("wininet.dll"), nullptr);
    EXPECT_EQ(FetchVersionText("http://127.0.0.1:1/search/updata/updatanew.txt").text,
              std::nullopt);
    EXPECT_NE(GetModuleHandleA("wininet.dll"), nullptr);
}

TEST(LoadWinInetApi, EveryFunctionOrNothing) {
    using How = SystemFolderLoad;
    const struct {
        const wchar_t* dll;
        How how;
        bool loaded;
    } rows[] = {
        {L"wininet.dll", How::Best, true},
        // Windows 7 without KB2533623: no search flags, the system folder's full path.
        {L"wininet.dll", How::FullPath, true},
        {L"kernel32.dll", How::SearchFlag, false}, // there, but without these functions
        {L"no_such_library.dll", How::SearchFlag, false},
        {L"no_such_library.dll", How::FullPath, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LoadWinInetApi(row.dll, row.how).has_value(), row.loaded)
            << row.dll << " " << static_cast<int>(row.how);
}

} // namespace
} // namespace qm
