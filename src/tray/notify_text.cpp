#include "tray/notify_text.h"

namespace qm {

std::string FitNotifyField(const std::string& text, std::size_t field_size,
                           bool (*is_lead_byte)(unsigned char)) {
    if (field_size == 0)
        return {};
    std::string shown = text.substr(0, text.find('\0'));
    const std::size_t limit = field_size - 1;
    if (shown.size() <= limit)
        return shown;
    // Character boundaries are only known by walking from the start.
    std::size_t end = 0;
    while (end < limit) {
        std::size_t step = is_lead_byte(static_cast<unsigned char>(shown[end])) ? 2 : 1;
        if (end + step > limit)
            break;
        end += step;
    }
    shown.resize(end);
    return shown;
}

} // namespace qm
