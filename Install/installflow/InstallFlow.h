// The installer's whole run, from the single-instance guard to the last message. The UI
// language is chosen before (ChooseUiLanguage) and used by the platform for every message.
#pragma once

#include "InstallPlatform.h"

inline constexpr int ExitInstalled = 0;        // also when the font warning was shown
inline constexpr int ExitExistingRemoved = 1;  // the user is to log off, log on and run again
inline constexpr int ExitStopped = -1;         // another installer, old Windows, copy or register failure

// 1. the guard (none when the local application data folder cannot be had), 2. Windows 7 or
// later, 3. removal of an earlier registration, which ends the run, 4. copies, 5. registration,
// 6. fonts. A hard failure shows its message and ends the run, undoing nothing; a failed
// removal and a font failure are reported and the run goes on.
int RunInstall(InstallPlatform& platform);
