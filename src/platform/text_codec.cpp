#include "platform/text_codec.h"

#include <windows.h>

namespace qm {

std::string WideToAnsi(const std::wstring& text) {
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                            nullptr, nullptr);
    return out;
}

namespace {
std::wstring MultiByteToWide(UINT code_page, const std::string& text) {
    if (text.empty())
        return {};
    int size =
        MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            size);
    return out;
}
} // namespace

std::wstring AnsiToWide(const std::string& text) {
    return MultiByteToWide(CP_ACP, text);
}

std::wstring Utf8ToWide(const std::string& text) {
    return MultiByteToWide(CP_UTF8, text);
}

// wchar_t is UTF-16 on Windows, so these are plain copies.
std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}
std::u16string FromWide(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

} // namespace qm
