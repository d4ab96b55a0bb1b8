// An installer started as a user starts it, its message boxes read and answered from outside
// the process: for the tests of the installer as a program, and for the README's first run.
#pragma once

#include "ChildProcess.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct MessageShown {
    std::wstring caption;
    std::wstring text;
};

class InstallerProcess {
public:
    explicit InstallerProcess(const std::filesystem::path& program);

    bool Started() const { return process_.Started(); }

    // Reads and answers (OK) every message box until the run ends; `whileFirstShows` runs while
    // the first box is still up. The exit code, or nothing when the run did not end.
    std::optional<DWORD> AnswerAll(std::vector<MessageShown>& shown,
                                   const std::function<void()>& whileFirstShows = {}) const;

private:
    HWND NextMessageBox() const;

    ChildProcess process_;  // ended when the run is still going
};
