#include "ChildProcess.h"

namespace {

struct DialogSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM searchParam) {
    auto& search = *reinterpret_cast<DialogSearch*>(searchParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (processId != search.processId || !IsWindowVisible(window) || std::wstring(className) != L"#32770") {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, std::wstring_view arguments, ChildOutput output,
                           const std::filesystem::path& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    UniqueKernelHandle writeEnd;
    if (output == ChildOutput::Captured) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE readHandle = nullptr;
        HANDLE writeHandle = nullptr;
        if (!CreatePipe(&readHandle, &writeHandle, &inherit, 0)) return;
        output_.reset(readHandle);
        writeEnd.reset(writeHandle);
        SetHandleInformation(readHandle, HANDLE_FLAG_INHERIT, 0);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeHandle;
        startup.hStdError = writeHandle;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!arguments.empty()) commandLine += L" " + std::wstring(arguments);
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, output == ChildOutput::Captured, 0,
                       nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        process_.reset(started.hProcess);
        UniqueKernelHandle(started.hThread).reset();
        id_ = started.dwProcessId;
    }
    // The pipe reaches its end once the program alone holds the writing end.
}

ChildProcess::~ChildProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

std::optional<DWORD> ChildProcess::ExitCode(DWORD waitMilliseconds) const {
    if (!process_ || WaitForSingleObject(process_.get(), waitMilliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::string ChildProcess::ReadOutput() {
    std::string text;
    if (!output_ || !process_) return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(output_.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) text.append(buffer, read);
    return text;
}

HWND VisibleDialogOf(DWORD processId) {
    DialogSearch search{processId};
    EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
