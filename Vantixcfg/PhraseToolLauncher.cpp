#include "PhraseToolLauncher.h"

#include "ProgramPath.h"
#include "Win32Handles.h"

#include <windows.h>

std::optional<std::wstring> PhraseToolBeside(const std::wstring& programPath) {
    const std::size_t lastBackslash = programPath.rfind(L'\\');
    if (lastBackslash == std::wstring::npos) return std::nullopt;
    return programPath.substr(0, lastBackslash) + L"\\Wordloom.exe";
}

void StartPhraseTool() {
    const std::optional<std::wstring> ownPath = WholeProgramPath();
    if (!ownPath) return;
    const std::optional<std::wstring> path = PhraseToolBeside(*ownPath);
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
