// The About box of both tools: the program's icon, a line naming the tool with the product
// version of the running file, a second line and OK. The tools differ only in resources and
// control ids, and in whether the box follows a change of monitor DPI.
#pragma once

#include "Dialog.h"
#include "DialogLayout.h"
#include "DialogWindow.h"
#include "ProgramPath.h"
#include "UiLanguage.h"
#include "Win32Handles.h"

#include <windows.h>

#include <string>

struct AboutBoxResources {
    int templateId;
    int iconId;
    int iconControl;
    int versionLineControl;
    int secondLineControl;
    unsigned captionString;
    unsigned versionFormatString;  // holds "%s" for the version
    unsigned secondLineString;
    unsigned okString;
    AboutBoxBase base;
    DialogDpiRule dpiRule;
};

// The format with "%s" replaced by the file's ProductVersion, or the bare format when the file
// has no readable version resource.
std::wstring VersionLineOfFile(const std::wstring& format, const wchar_t* filePath);

// The version line of the running program file, whatever the length of its path.
std::wstring AboutVersionLine(HINSTANCE instance, UiLanguage language, unsigned formatString,
                              ModuleFileNameQuery programFileName = RunningProgramFileName);

class CAboutBox final : public CDialog {
public:
    CAboutBox(HINSTANCE instance, UiLanguage language, const AboutBoxResources& resources);

    // Runs the box modally; IDOK for OK, IDCANCEL for Cancel or Esc.
    INT_PTR Show(HWND owner);

private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void Layout();
    void OnDpiChanged(const RECT& suggested);

    HINSTANCE instance_;
    UiLanguage language_;
    const AboutBoxResources& resources_;
    UniqueFont font_;
    UniqueIcon smallIcon_;
    UniqueIcon bigIcon_;
    int dpi_ = BaseDpi;
};
