#include "platform/idn_host.h"

#include "platform/system_library.h"
#include "platform/text_codec.h"

#include <windows.h>

namespace qm {

namespace {
decltype(&IdnToAscii) FindIdnToAscii() {
    decltype(&IdnToAscii) convert = nullptr;
    // normaliz.dll stays loaded until exit: the dialogs ask again while they are open.
    if (!FindFunction(GetModuleHandleW(L"kernel32.dll"), "IdnToAscii", convert))
        FindFunction(LoadSystemLibrary(L"normaliz.dll", SystemFolderLoad::FullPath), "IdnToAscii",
                     convert);
    return convert;
}
} // namespace

std::optional<std::u16string> IdnHostToAscii(const std::u16string& host) {
    static const decltype(&IdnToAscii) convert = FindIdnToAscii();
    const std::wstring wide = ToWide(host);
    wchar_t ascii[256]; // a host name has at most 253 characters
    const int written =
        convert ? convert(0, wide.c_str(), static_cast<int>(wide.size()), ascii, 256) : 0;
    if (written <= 0)
        return std::nullopt;
    return FromWide(std::wstring(ascii, written));
}

} // namespace qm
