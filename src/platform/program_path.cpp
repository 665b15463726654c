#include "platform/program_path.h"

#include <windows.h>

namespace qm {

namespace {
std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
} // namespace

std::string ProgramFolder() {
    std::string path = ModulePath();
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return {};
    // A drive root keeps its separator, as the platform reports it.
    if (slash == 2 && path[1] == ':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

std::string ExeBaseName() {
    std::string path = ModulePath();
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace qm
