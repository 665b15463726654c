#include "settings/ini_bytes.h"

namespace qm {

namespace {
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

void AppendUnit(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    static const unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    out += static_cast<char>(kLead[extra] | (cp >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k)
        out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
}
} // namespace

IniFileText DecodeIniFile(const std::string& bytes) {
    IniFileText file;
    if (bytes.compare(0, 3, kUtf8Mark) == 0) {
        file.form = IniForm::kUtf8;
        file.text = bytes.substr(3);
        return file;
    }
    const bool le = bytes.compare(0, 2, "\xFF\xFE") == 0;
    if (!le && bytes.compare(0, 2, "\xFE\xFF") != 0) {
        file.text = bytes;
        return file;
    }
    file.form = le ? IniForm::kUtf16Le : IniForm::kUtf16Be;
    const size_t end = bytes.size() - bytes.size() % 2;
    file.odd_byte = bytes.substr(end);
    for (size_t i = 2; i < end; i += 2) {
        unsigned char first = bytes[i], second = bytes[i + 1];
        char32_t unit = le ? second << 8 | first : first << 8 | second;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < end) {
            unsigned char third = bytes[i + 2], fourth = bytes[i + 3];
            char32_t low = le ? fourth << 8 | third : third << 8 | fourth;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUnit(file.text, unit);
    }
    return file;
}

std::u16string Wtf8ToUtf16(const std::string& text) {
    std::u16string units;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = text[i++];
        const int extra = lead < 0xC0 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t cp = extra ? lead & (0x3F >> extra) : lead;
        for (int k = 0; k < extra && i < text.size(); ++k)
            cp = cp << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
        if (cp >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            cp = 0xDC00 + ((cp - 0x10000) & 0x3FF);
        }
        units += static_cast<char16_t>(cp);
    }
    return units;
}

std::string EncodeIniFile(const IniFileText& file) {
    if (file.form == IniForm::kAnsi)
        return file.text;
    if (file.form == IniForm::kUtf8)
        return kUtf8Mark + file.text;
    const bool le = file.form == IniForm::kUtf16Le;
    std::string bytes = le ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t unit : Wtf8ToUtf16(file.text)) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += le ? low : high;
        bytes += le ? high : low;
    }
    return bytes + file.odd_byte;
}

} // namespace qm
