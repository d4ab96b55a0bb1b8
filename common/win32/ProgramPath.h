// The running program's own file name.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// How a program asks for its own file name, with GetModuleFileNameW's contract: the length
// written, the capacity when the name was cut short to fit, 0 on failure.
using ModuleFileNameQuery = DWORD (*)(wchar_t* buffer, DWORD capacity);
DWORD RunningProgramFileName(wchar_t* buffer, DWORD capacity);

// The whole path of the running program, however long: asked again with twice the room while
// it comes back cut short, since a cut path names another file. Nothing when it cannot be had.
std::optional<std::wstring> WholeProgramPath(ModuleFileNameQuery query = RunningProgramFileName);
