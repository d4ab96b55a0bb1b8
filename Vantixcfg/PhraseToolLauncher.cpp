#include "PhraseToolLauncher.h"

#include "Win32Handles.h"

#include <windows.h>

namespace {

// The running program's own path, however long it is.
std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // cut short: a cut path would name another folder
    }
}

}  // namespace

std::optional<std::wstring> PhraseToolBeside(const std::wstring& programPath) {
    const std::size_t lastBackslash = programPath.rfind(L'\\');
    if (lastBackslash == std::wstring::npos) return std::nullopt;
    return programPath.substr(0, lastBackslash) + L"\\Wordloom.exe";
}

void StartPhraseTool() {
    const std::optional<std::wstring> path = PhraseToolBeside(OwnPath());
    if (!path) return;
    // The program is named on its own and quoted on the command line: an unquoted path with
    // blanks ("C:\Program Files\...") would first be tried as "C:\Program.exe".
    std::wstring commandLine = L"\"" + *path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(path->c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                       nullptr, nullptr, &startup, &process)) {
        const UniqueKernelHandle thread(process.hThread);
        const UniqueKernelHandle started(process.hProcess);
    }
}
