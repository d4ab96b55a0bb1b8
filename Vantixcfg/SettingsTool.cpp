#include "SettingsTool.h"

#include "AboutBoxResources.h"
#include "CommandLine.h"
#include "ConfigureBox.h"
#include "UiStrings.h"
#include "Win32Handles.h"

#include <shellapi.h>

#include <string_view>
#include <vector>

int RunSettingsTool(HINSTANCE instance, const wchar_t* commandLine) {
    int count = 0;
    const LocalMemory<LPWSTR> arguments(CommandLineToArgvW(commandLine, &count));
    if (!arguments) return 0;
    const std::vector<std::wstring_view> list(arguments.get(), arguments.get() + count);

    switch (DialogForArguments(list)) {
    case StartUpDialog::About: {
        CAboutBox about(instance, ProcessUiLanguage(), VantixcfgAboutBox);
        about.Show(GetActiveWindow());
        break;
    }
    case StartUpDialog::Configure: {
        CConfigureBox configure(instance);
        configure.Run(GetActiveWindow());
        break;
    }
    case StartUpDialog::None:
        break;
    }
    return 0;
}
