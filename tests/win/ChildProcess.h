// Programs that a test starts as a user would, ended when the test is over, and the dialogs
// they show, found from outside the process.
#pragma once

#include "Win32Handles.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where a started program's standard output and error go.
enum class ChildOutput {
    Own,       // wherever the system gives a program started without handles
    Captured,  // both into one pipe, read with ReadOutput
};

class ChildProcess {
public:
    // Starts `"program" arguments` in `folder` (empty: this program's current folder).
    explicit ChildProcess(const std::filesystem::path& program, std::wstring_view arguments = {},
                          ChildOutput output = ChildOutput::Own, const std::filesystem::path& folder = {});
    ~ChildProcess();  // ends a program that is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.get(); }

    // The exit code once it ended within the wait, else nothing.
    std::optional<DWORD> ExitCode(DWORD waitMilliseconds) const;
    // What it writes to its captured output until it closes it (usually by ending).
    std::string ReadOutput();

private:
    UniqueKernelHandle process_;
    UniqueKernelHandle output_;
    DWORD id_ = 0;
};

// The visible dialog window (class #32770: dialogs and message boxes) of a process, or null.
HWND VisibleDialogOf(DWORD processId);
