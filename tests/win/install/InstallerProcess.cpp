#include "InstallerProcess.h"

namespace {

struct FindBoxOf {
    DWORD process;
    HWND box = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
    auto& search = *reinterpret_cast<FindBoxOf*>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (process != search.process || !IsWindowVisible(window) || std::wstring(className) != L"#32770") {
        return TRUE;
    }
    search.box = window;
    return FALSE;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024]{};
    GetWindowTextW(window, text, 1024);
    return text;
}

}  // namespace

InstallerProcess::InstallerProcess(const std::filesystem::path& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
        process_.reset(started.hProcess);
        UniqueKernelHandle(started.hThread).reset();
        id_ = started.dwProcessId;
    }
}

InstallerProcess::~InstallerProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

// The next message box it shows (within two minutes: regsvr32 may take 10 s a view), or null
// once it has ended.
HWND InstallerProcess::NextMessageBox() const {
    for (int attempt = 0; attempt < 1200; ++attempt) {
        FindBoxOf search{id_};
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.box) return search.box;
        if (WaitForSingleObject(process_.get(), 100) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

std::optional<DWORD> InstallerProcess::AnswerAll(std::vector<MessageShown>& shown,
                                                 const std::function<void()>& whileFirstShows) const {
    if (!process_) return std::nullopt;
    while (const HWND box = NextMessageBox()) {
        shown.push_back({TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))});
        if (shown.size() == 1 && whileFirstShows) whileFirstShows();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int attempt = 0; attempt < 100 && IsWindow(box); ++attempt) Sleep(50);
        if (shown.size() > 10) break;  // not the installer's behaviour: give up
    }
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}
