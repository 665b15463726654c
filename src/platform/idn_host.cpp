#include "platform/idn_host.h"

#include "platform/system_library.h"

#include <windows.h>

namespace qm {

namespace {
// Looked up at the first question, which comes on the user-interface thread, as all do.
decltype(&IdnToAscii) idn_to_ascii = nullptr;
bool looked_up = false;
} // namespace

std::optional<std::u16string> IdnHostToAscii(const std::u16string& host) {
    if (!looked_up) {
        looked_up = true;
        // normaliz.dll, on Vista, stays loaded until exit: the dialogs ask again.
        if (!FindFunction(GetModuleHandleW(L"kernel32.dll"), "IdnToAscii", idn_to_ascii))
            FindFunction(LoadSystemLibrary(L"normaliz.dll", SystemFolderLoad::FullPath),
                         "IdnToAscii", idn_to_ascii);
    }
    // wchar_t is UTF-16 on Windows.
    wchar_t ascii[256]; // a host name has at most 253 characters
    const int written = idn_to_ascii
                            ? idn_to_ascii(0, reinterpret_cast<const wchar_t*>(host.c_str()),
                                           static_cast<int>(host.size()), ascii, 256)
                            : 0;
    if (written <= 0)
        return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(ascii), written);
}

} // namespace qm
