// The settings tool from its command line to its exit code.
#pragma once

#include <windows.h>

// Shows the About box for "/about" or the configure dialog for "/configure" (the first of the
// two among the arguments counts) and returns the exit code, which is 0 on every path. The UI
// language must be chosen before.
int RunSettingsTool(HINSTANCE instance, const wchar_t* commandLine);
