// The installer: no window of its own, a fixed run of steps, the outcome in message boxes and
// in the exit code.
#include "DllSearch.h"
#include "InstallFlow.h"
#include "Localization.h"
#include "Win32InstallPlatform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything else can load a DLL from the folder the installer was started from.
    LoadDllsFromSystemFolderOnly();

    Win32InstallPlatform platform(QueryUiLanguage());
    return RunInstall(platform);
}
