#include "platform/clipboard.h"

#include "clipboard_text.h"
#include "platform/unique_handle.h"
#include "pump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace qm {
namespace {

// Puts a block of bytes on the already opened clipboard.
void PutBlock(UINT format, const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    if (!SetClipboardData(format, block))
        GlobalFree(block);
}

// Holds the clipboard open from another thread, as a busy program would.
class ClipboardHolder {
  public:
    explicit ClipboardHolder(int milliseconds) {
        HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([=] {
            bool ok = OpenClipboard(nullptr);
            SetEvent(opened);
            Sleep(milliseconds);
            if (ok)
                CloseClipboard();
        });
        WaitForSingleObject(opened, 5000);
        CloseHandle(opened);
    }
    ~ClipboardHolder() { thread_.join(); }

  private:
    std::thread thread_;
};

class ClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_.reset(CreateWindowExA(0, "STATIC", "owner", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                     nullptr));
        ASSERT_TRUE(owner_);
    }
    HWND owner() const { return owner_.get(); }
    UniqueHwnd owner_;
};

TEST_F(ClipboardTest, TextIsReadWithinItsBlockAndBound) {
    {
        // Three characters and no terminator.
        OpenedClipboard clipboard(owner());
        ASSERT_TRUE(clipboard);
        EmptyClipboard();
        PutBlock(CF_UNICODETEXT, u"abc", 3 * sizeof(char16_t));
    }
    // The system may terminate the text in place of its last character; nothing
    // beyond the block may be read either way.
    std::u16string unterminated = ReadClipboardText(owner(), 100);
    EXPECT_TRUE(unterminated == u"abc" || unterminated == u"ab") << unterminated.size();

    std::u16string big(3000000, u'\u4e2d');
    ASSERT_TRUE(test::WriteClipboardText(owner(), big));
    EXPECT_EQ(ReadClipboardText(owner(), 2048), big.substr(0, 2048));
    EXPECT_EQ(ReadClipboardText(owner(), big.size() + 1).size(), big.size());

    {
        OpenedClipboard clipboard(owner());
        ASSERT_TRUE(clipboard);
        EmptyClipboard();
    }
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"");
}

TEST_F(ClipboardTest, BriefHoldIsWaitedOutLongHoldGivesUpSoon) {
    ASSERT_TRUE(test::WriteClipboardText(owner(), u"kept"));
    {
        ClipboardHolder brief(60);
        EXPECT_EQ(ReadClipboardText(owner(), 100), u"kept");
    }
    ClipboardHolder long_hold(1500);
    DWORD start = GetTickCount();
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"");
    EXPECT_LT(GetTickCount() - start, 1000u) << "gave up too late";
}

} // namespace
} // namespace qm
