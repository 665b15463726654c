#include "platform/clipboard.h"
#include "platform/clipboard_snapshot.h"
#include "pump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace qm {
namespace {

const char kBinary[] = {'\x00', '\x01', '\x02', '\x00', '\xff', 'z'};

// Puts a block of bytes on the already opened clipboard.
void PutBlock(UINT format, const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    if (!SetClipboardData(format, block))
        GlobalFree(block);
}

std::string ReadBlock(UINT format, size_t size) {
    std::string bytes;
    if (HANDLE data = GetClipboardData(format)) {
        if (GlobalSize(data) >= size)
            bytes.assign(static_cast<const char*>(GlobalLock(data)), size);
        GlobalUnlock(data);
    }
    return bytes;
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

TEST_F(ClipboardTest, SnapshotBringsBackTextBinaryAndPicture) {
    const std::u16string text = u"h\u00e9llo \u4e2d\u6587";
    {
        OpenedClipboard clipboard(owner());
        ASSERT_TRUE(clipboard);
        EmptyClipboard();
        PutBlock(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t));
        PutBlock(test::BinaryFormat(), kBinary, sizeof(kBinary));
        SetClipboardData(CF_BITMAP, CreateBitmap(7, 5, 1, 32, nullptr));
    }
    ClipboardSnapshot snapshot = ClipboardSnapshot::Take(owner());
    ASSERT_TRUE(snapshot.taken());
    ASSERT_TRUE(WriteClipboardText(owner(), u"something else"));

    EXPECT_TRUE(snapshot.Restore(owner()));
    EXPECT_EQ(ReadClipboardText(owner(), 1000), text);
    OpenedClipboard clipboard(owner());
    ASSERT_TRUE(clipboard);
    EXPECT_EQ(ReadBlock(test::BinaryFormat(), sizeof(kBinary)),
              std::string(kBinary, sizeof(kBinary)));
    BITMAP info{};
    HANDLE bitmap = GetClipboardData(CF_BITMAP);
    ASSERT_NE(bitmap, nullptr) << "the bitmap did not come back";
    ASSERT_TRUE(GetObjectA(bitmap, sizeof(info), &info));
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
}

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
    ASSERT_TRUE(WriteClipboardText(owner(), big));
    EXPECT_EQ(ReadClipboardText(owner(), 2048), big.substr(0, 2048));
    EXPECT_EQ(ReadClipboardText(owner(), big.size() + 1).size(), big.size());

    ASSERT_TRUE(EmptyClipboardFor(owner()));
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"");
}

TEST_F(ClipboardTest, BriefHoldIsWaitedOutLongHoldGivesUpSoon) {
    ASSERT_TRUE(WriteClipboardText(owner(), u"kept"));
    {
        ClipboardHolder brief(60);
        EXPECT_EQ(ReadClipboardText(owner(), 100), u"kept");
    }
    ClipboardHolder long_hold(1500);
    DWORD start = GetTickCount();
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"");
    ClipboardSnapshot snapshot = ClipboardSnapshot::Take(owner());
    EXPECT_FALSE(snapshot.taken());
    EXPECT_LT(GetTickCount() - start, 1000u) << "gave up too late";
    // A snapshot that was never taken must not clear what is there.
    Sleep(1600);
    EXPECT_FALSE(snapshot.Restore(owner()));
    EXPECT_EQ(ReadClipboardText(owner(), 100), u"kept");
}

} // namespace
} // namespace qm
