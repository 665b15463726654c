#include "platform/idn_host.h"

#include "search/template_host.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// Windows' own conversion, where the native tests take a table of its answers.
TEST(IdnHost, WindowsConvertsLookAlikeNamesAndRefusesBrokenOnes) {
    EXPECT_EQ(IdnHostToAscii(u"b\u00FCcher.example"), u"xn--bcher-kva.example");
    EXPECT_EQ(IdnHostToAscii(u"www.g\u043E\u043Egle.com"), u"www.xn--ggle-55da.com");
    EXPECT_EQ(IdnHostToAscii(u"a" + std::u16string(70, u'\u00FC') + u".example"), std::nullopt);
    EXPECT_EQ(HostProblem(u"www.g\u043E\u043Egle.com:8080", IdnHostToAscii), nullptr);
    EXPECT_EQ(ShownTemplate(u"https://b\u00FCcher.example/?q=%s", IdnHostToAscii),
              u"https://b\u00FCcher.example (xn--bcher-kva.example)/?q=%s");
}

} // namespace
} // namespace qm
