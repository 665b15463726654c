#include "platform/layout_registry.h"

#include "platform/registry.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// The registry's layouts as Windows keeps them, under a throwaway key: the layout found
// by its "Layout Id", its display name read by the shell (a plain text is taken as it
// is), and one whose display name cannot be loaded named by its "Layout Text".
TEST(LayoutRegistry, NamesTheLayoutFromTheRegistry) {
    const std::wstring key = L"Software\\QuenmarkTestLayouts";
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    const struct {
        const wchar_t *id, *name, *value;
    } values[] = {
        {L"00020409", L"Layout Id", L"0001"},
        {L"00020409", L"Layout Text", L"United States-International"},
        {L"00020409", L"Layout Display Name", L"United States-International (shown)"},
        {L"00000407", L"Layout Text", L"German"},
        {L"00000407", L"Layout Display Name", L"@C:\\nowhere\\missing.dll,-5011"},
    };
    for (const auto& value : values)
        ASSERT_TRUE(
            WriteRegistryText(HKEY_CURRENT_USER, key + L"\\" + value.id, value.name, value.value));
    const LayoutRegistry registry = LayoutRegistryAt(HKEY_CURRENT_USER, key);
    EXPECT_EQ(LayoutNameOfHandle(0xF0010409, registry), u"United States-International (shown)");
    EXPECT_EQ(LayoutNameOfHandle(0x04070407, registry), u"German");
    EXPECT_EQ(LayoutNameOfHandle(0x04090409, registry), u"") << "not in the registry";
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

} // namespace
} // namespace qm
