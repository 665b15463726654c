#include "platform/clipboard.h"

#include "clipboard_text.h"
#include "platform/unique_handle.h"
#include "pump.h"

#include <gtest/gtest.h>

#include <atomic>
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

// Holds the clipboard open from another thread, as a busy program would, for the
// given time or until let go.
class ClipboardHolder {
  public:
    explicit ClipboardHolder(int milliseconds) {
        HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, opened, milliseconds] {
            bool ok = OpenClipboard(nullptr);
            SetEvent(opened);
            WaitForSingleObject(let_go_.get(), static_cast<DWORD>(milliseconds));
            holding_ = false;
            if (ok)
                CloseClipboard();
        });
        WaitForSingleObject(opened, 5000);
        CloseHandle(opened);
    }
    ~ClipboardHolder() {
        SetEvent(let_go_.get());
        thread_.join();
    }
    bool Holding() const { return holding_; }

  private:
    UniqueHandle let_go_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> holding_{true};
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
    ClipboardHolder long_hold(30000);
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"");
    EXPECT_TRUE(long_hold.Holding()) << "waited for the holder to let go";
}

} // namespace
} // namespace qm
