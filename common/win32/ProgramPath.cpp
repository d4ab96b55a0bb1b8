#include "ProgramPath.h"

namespace {

// Far past the longest path Windows has (32,767 characters): a query that never stops cutting
// is given up on.
constexpr std::size_t MostRoom = 65536;

}  // namespace

DWORD RunningProgramFileName(wchar_t* buffer, DWORD capacity) {
    return GetModuleFileNameW(nullptr, buffer, capacity);
}

std::optional<std::wstring> WholeProgramPath(ModuleFileNameQuery query) {
    std::wstring path(MAX_PATH, L'\0');
    while (path.size() <= MostRoom) {
        const DWORD length = query(path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::nullopt;
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
    return std::nullopt;
}
