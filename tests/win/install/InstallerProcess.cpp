#include "InstallerProcess.h"

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[1024]{};
    GetWindowTextW(window, text, 1024);
    return text;
}

}  // namespace

InstallerProcess::InstallerProcess(const std::filesystem::path& program) : process_(program) {}

// The next message box it shows (within two minutes: regsvr32 may take 10 s a view), or null
// once it has ended.
HWND InstallerProcess::NextMessageBox() const {
    for (int attempt = 0; attempt < 1200; ++attempt) {
        if (const HWND box = VisibleDialogOf(process_.Id())) return box;
        if (process_.ExitCode(100)) return nullptr;
    }
    return nullptr;
}

std::optional<DWORD> InstallerProcess::AnswerAll(std::vector<MessageShown>& shown,
                                                 const std::function<void()>& whileFirstShows) const {
    if (!process_.Started()) return std::nullopt;
    while (const HWND box = NextMessageBox()) {
        shown.push_back({TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))});
        if (shown.size() == 1 && whileFirstShows) whileFirstShows();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int attempt = 0; attempt < 100 && IsWindow(box); ++attempt) Sleep(50);
        if (shown.size() > 10) break;  // not the installer's behaviour: give up
    }
    return process_.ExitCode(10000);
}
