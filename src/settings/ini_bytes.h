#pragma once
// set.ini's bytes as the text the line editor works on, and back, losing nothing. An
// ANSI or UTF-8 file is its own bytes; a UTF-16 file is held as 8-bit units in which
// every UTF-16 unit keeps a form of its own, an unpaired surrogate too (WTF-8), so the
// characters that matter to the file's layout ("[", "]", "=", blanks, line ends) are
// the same bytes in every form. The form is told as the profile functions tell it.
#include <string>

namespace qm {

enum class IniForm { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

struct IniFileText {
    IniForm form = IniForm::kAnsi;
    std::string text;     // without the byte-order mark
    std::string odd_byte; // a UTF-16 file's last byte when its length is odd
};

IniFileText DecodeIniFile(const std::string& bytes);
std::string EncodeIniFile(const IniFileText& file);

// A UTF-16 file's text back in UTF-16 units.
std::u16string Wtf8ToUtf16(const std::string& text);

} // namespace qm
