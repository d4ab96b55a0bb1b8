// The settings tool's command line, in-process through the same function the program runs,
// and the real program started as a user would start it.
#include "PhraseToolLauncher.h"
#include "ChildProcess.h"
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

TEST_F(SettingsToolStart, TheProgramEndsWithZeroAfterEachDialog) {
    for (const wchar_t* arguments : {L"/about", L"/configure"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
        const ChildProcess tool(SettingsToolPath(), arguments);
        const HWND dialog = WaitForDialogOf(tool.Id());
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
        const ChildProcess tool(SettingsToolPath(), arguments);
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
