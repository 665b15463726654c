#include "tray/notify_text.h"

namespace qm {

std::u16string FitNotifyField(const std::u16string& text, std::size_t field_size) {
    if (field_size == 0)
        return {};
    std::u16string shown = text.substr(0, text.find(u'\0'));
    if (shown.size() < field_size)
        return shown;
    shown.resize(field_size - 1);
    // A lone high surrogate at the end would show as a box.
    if (!shown.empty() && shown.back() >= 0xD800 && shown.back() <= 0xDBFF)
        shown.pop_back();
    return shown;
}

} // namespace qm
