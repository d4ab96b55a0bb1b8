// The settings tool's command line, in-process through the same function the program runs,
// and the real program started as a user would start it.
#include "PhraseToolLauncher.h"
#include "DialogDriver.h"
#include "SettingsTestSupport.h"
#include "SettingsTool.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <filesystem>

namespace {

class SettingsToolStart : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        SetProcessUiLanguage(UiLanguageEnglish);
    }

    // Runs the tool on the command line; the caption of the dialog it showed, or nothing.
    std::optional<std::wstring> ShownFor(const wchar_t* commandLine) {
        std::optional<std::wstring> caption;
        int exitCode = -1;
        RunDialogAnswered(
            [&] {
                exitCode = RunSettingsTool(GetModuleHandleW(nullptr), commandLine);
                return INT_PTR{0};
            },
            [&](HWND dialog) {
                caption = WindowText(dialog);
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            });
        EXPECT_EQ(exitCode, 0) << "for " << testing::PrintToString(std::wstring(commandLine));
        return caption;
    }
};

const std::wstring AboutCaption = L"About New Vantix";
const std::wstring ConfigureCaption = L"New Vantix Settings";

TEST_F(SettingsToolStart, AboutInAnyCaseShowsTheAboutBox) {
    EXPECT_EQ(ShownFor(L"/about"), AboutCaption);
    EXPECT_EQ(ShownFor(L"/ABOUT"), AboutCaption);
}

TEST_F(SettingsToolStart, ConfigureInAnyCaseShowsTheConfigureDialog) {
    EXPECT_EQ(ShownFor(L"/configure"), ConfigureCaption);
    EXPECT_EQ(ShownFor(L"/CoNfIgUrE"), ConfigureCaption);
    EXPECT_EQ(ReadSettingsFile(), std::nullopt);  // closed without OK
}

TEST_F(SettingsToolStart, OnlyTheFirstRecognisedSwitchCounts) {
    EXPECT_EQ(ShownFor(L"/about /configure"), AboutCaption);
    EXPECT_EQ(ShownFor(L"something /CONFIGURE"), ConfigureCaption);
    EXPECT_EQ(ShownFor(L"\"quoted words\" -about /About"), AboutCaption);
}

TEST_F(SettingsToolStart, NothingIsShownWithoutASwitch) {
    EXPECT_EQ(ShownFor(L""), std::nullopt);
    EXPECT_EQ(ShownFor(L"-about about configure -configure"), std::nullopt);
    EXPECT_EQ(ShownFor(L"/aboutx"), std::nullopt);
}

// ---- The real program ----

struct Started {
    PROCESS_INFORMATION process{};
    explicit Started(const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + SettingsToolPath() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        EXPECT_TRUE(CreateProcessW(SettingsToolPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &process));
    }
    ~Started() {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }
    // The exit code, or nothing when it is still running after the wait.
    std::optional<DWORD> ExitCode(DWORD milliseconds) const {
        if (WaitForSingleObject(process.hProcess, milliseconds) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
};

TEST_F(SettingsToolStart, TheProgramEndsWithZeroAfterEachDialog) {
    for (const wchar_t* arguments : {L"/about", L"/configure"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
        const Started tool(arguments);
        const HWND dialog = WaitForDialogOf(tool.process.dwProcessId);
        ASSERT_NE(dialog, nullptr);
        // The caption is in the language of the test's locale: only its presence is checked here.
        EXPECT_FALSE(WindowText(dialog).empty());
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(tool.ExitCode(10000), std::optional<DWORD>(0));
    }
    EXPECT_EQ(ReadSettingsFile(), std::nullopt);
}

TEST_F(SettingsToolStart, TheProgramShowsNothingAndEndsWithZeroWithoutASwitch) {
    for (const wchar_t* arguments : {L"", L"-configure", L"about"}) {
        const Started tool(arguments);
        EXPECT_EQ(tool.ExitCode(10000), std::optional<DWORD>(0)) << testing::PrintToString(std::wstring(arguments));
    }
}

TEST_F(SettingsToolStart, ThePhraseToolIsLookedForBesideTheProgram) {
    EXPECT_EQ(PhraseToolBeside(L"C:\\Program Files\\VantixIME\\Vantixcfg.exe"),
              std::optional<std::wstring>(L"C:\\Program Files\\VantixIME\\Wordloom.exe"));
    EXPECT_EQ(PhraseToolBeside(L"C:\\Vantixcfg.exe"), std::optional<std::wstring>(L"C:\\Wordloom.exe"));
    EXPECT_EQ(PhraseToolBeside(L"Vantixcfg.exe"), std::nullopt);
}

}  // namespace
