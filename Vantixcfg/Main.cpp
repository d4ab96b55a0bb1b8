// Vantixcfg.exe: the settings tool of the New Vantix input method.
#include "SettingsTool.h"
#include "UiStrings.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    SetProcessUiLanguage(QueryUiLanguage());
    return RunSettingsTool(instance, commandLine);
}
