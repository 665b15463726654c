#include "platform/layout_registry.h"

#include "platform/registry.h"
#include "platform/system_library.h"
#include "platform/text_codec.h"

namespace qm {

namespace {
using LoadIndirectString = HRESULT(WINAPI*)(PCWSTR source, PWSTR out, UINT out_size, void**);

std::u16string LoadIndirect(const std::u16string& indirect) {
    // Loaded once and kept for the program's life, as the other optional libraries.
    static const HMODULE shlwapi = LoadSystemLibrary(L"shlwapi.dll");
    LoadIndirectString load = nullptr;
    wchar_t text[256] = {};
    if (!FindFunction(shlwapi, "SHLoadIndirectString", load) ||
        FAILED(load(ToWide(indirect).c_str(), text, 256, nullptr)))
        return {};
    return FromWide(text);
}
} // namespace

LayoutRegistry LayoutRegistryAt(HKEY root, const std::wstring& path) {
    LayoutRegistry registry;
    registry.layout_ids = [root, path] {
        std::vector<std::u16string> ids;
        for (const std::wstring& name : RegistrySubkeyNames(root, path))
            ids.push_back(FromWide(name));
        return ids;
    };
    registry.read = [root, path](const std::u16string& id,
                                 const std::u16string& value) -> std::optional<std::u16string> {
        const std::optional<std::wstring> text = ReadRegistryText(
            root, path + L"\\" + ToWide(id), ToWide(value), RegistryText::PlainOrExpandable);
        if (!text)
            return std::nullopt;
        return FromWide(*text);
    };
    registry.load_indirect = LoadIndirect;
    return registry;
}

} // namespace qm
