#include "controller/update_version.h"

namespace qm {

UpdateVerdict JudgeVersionAnswer(const std::string& own,
                                 const std::optional<std::string>& fetched) {
    if (!fetched || fetched->empty())
        return UpdateVerdict::NoAnswer;
    return *fetched == own ? UpdateVerdict::Same : UpdateVerdict::Differs;
}

} // namespace qm
