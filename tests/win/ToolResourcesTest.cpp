// Checks of one tool's resources and its About box, built once per tool with that tool's
// resources linked in (VANTIX_TEST_WORDLOOM or VANTIX_TEST_VANTIXCFG).
#include "AboutBoxResources.h"
#include "Localization.h"
#include "DialogDriver.h"
#include "ResourceChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

struct ToolExpectations {
    const AboutBoxResources& box;
    const char* stringsFile;
    const wchar_t* englishCaption;
    const wchar_t* englishVersionLine;
    const wchar_t* chineseCaption;
    const wchar_t* chineseVersionLine;
};

#if defined(VANTIX_TEST_WORDLOOM)
const ToolExpectations tool{WordloomAboutBox, "Wordloom.tsv", L"About New Vantix User Phrase Tool",
                            L"New Vantix User Phrase Tool (1.4.0.5)", L"關於新萬緹輸入法自造詞工具",
                            L"新萬緹輸入法自造詞工具 (1.4.0.5)"};
#elif defined(VANTIX_TEST_VANTIXCFG)
const ToolExpectations tool{VantixcfgAboutBox, "Vantixcfg.tsv", L"About New Vantix",
                            L"New Vantix 2018 (1.4.87.3)", L"關於新萬緹", L"新萬緹 2018 (1.4.87.3)"};
#endif

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

INT_PTR ShowAbout(UiLanguage language, const std::function<void(HWND)>& answer) {
    CAboutBox box(Instance(), language, tool.box);
    return RunDialogAnswered([&] { return box.Show(nullptr); }, answer);
}

void CALLBACK CloseScreenshotBox(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND dialog = FindThisThreadsDialog()) EndDialog(dialog, IDOK);
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

TEST(StringTables, HoldExactlyTheExpectedTextsInBothLanguages) {
    const StringTable expected = ReadExpectedStrings(tool.stringsFile);
    const StringTable compiled = CompiledStrings(Instance());
    ASSERT_FALSE(expected.empty());
    for (const auto& [key, text] : expected) {
        const auto found = compiled.find(key);
        if (found == compiled.end()) {
            ADD_FAILURE() << "missing string " << key.second << " in language " << key.first;
        } else {
            EXPECT_EQ(found->second, text) << "string " << key.second << " in language " << key.first;
        }
    }
    for (const auto& [key, text] : compiled) {
        EXPECT_TRUE(expected.contains(key)) << "unexpected string " << key.second << " in language " << key.first;
    }
}

TEST(StringTables, FixedBufferFormGivesTheSameTextTerminated) {
    for (const UiLanguage language : {UiLanguageEnglish, UiLanguageTraditionalChinese}) {
        std::array<wchar_t, StringBufferLength> buffer;
        buffer.fill(L'x');
        ASSERT_TRUE(LoadLocalizedString(Instance(), language, tool.box.captionString, buffer));
        EXPECT_EQ(std::wstring(buffer.data()), LoadLocalizedString(Instance(), language, tool.box.captionString));
    }
    std::array<wchar_t, StringBufferLength> buffer;
    buffer.fill(L'x');
    EXPECT_FALSE(LoadLocalizedString(Instance(), UiLanguageEnglish, 65000, buffer));
    EXPECT_EQ(buffer[0], L'\0');
}

TEST(AboutBox, EnglishTextsAndOkCloses) {
    std::wstring caption, versionLine, secondLine, okText;
    const INT_PTR result = ShowAbout(UiLanguageEnglish, [&](HWND dialog) {
        caption = WindowText(dialog);
        versionLine = ControlText(dialog, tool.box.versionLineControl);
        secondLine = ControlText(dialog, tool.box.secondLineControl);
        okText = ControlText(dialog, IDOK);
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(caption, tool.englishCaption);
    EXPECT_EQ(versionLine, tool.englishVersionLine);
    EXPECT_EQ(secondLine, LoadLocalizedString(Instance(), UiLanguageEnglish, tool.box.secondLineString));
    EXPECT_FALSE(secondLine.empty());
    EXPECT_EQ(okText, L"OK");
}

TEST(AboutBox, ChineseTextsAndEscapeCloses) {
    std::wstring caption, versionLine, okText;
    const INT_PTR result = ShowAbout(UiLanguageTraditionalChinese, [&](HWND dialog) {
        caption = WindowText(dialog);
        versionLine = ControlText(dialog, tool.box.versionLineControl);
        okText = ControlText(dialog, IDOK);
        // Esc reaches the dialog through its own modal loop, like a key press.
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(caption, tool.chineseCaption);
    EXPECT_EQ(versionLine, tool.chineseVersionLine);
    EXPECT_EQ(okText, L"確定");
}

TEST(AboutBox, ControlsAreLaidOutForTheScreenDpi) {
    const int dpi = ScreenDpi();
    auto scaled = [dpi](int length) { return MulDiv(length, dpi, 96); };
    RECT client{}, ok{}, icon{}, version{}, second{};
    ShowAbout(UiLanguageEnglish, [&](HWND dialog) {
        GetClientRect(dialog, &client);
        ok = ControlRect(dialog, IDOK);
        icon = ControlRect(dialog, tool.box.iconControl);
        version = ControlRect(dialog, tool.box.versionLineControl);
        second = ControlRect(dialog, tool.box.secondLineControl);
        EndDialog(dialog, IDOK);
    });
    EXPECT_EQ(ok.right - ok.left, scaled(75));
    EXPECT_EQ(ok.bottom - ok.top, scaled(23));
    EXPECT_EQ(client.right - ok.right, scaled(11));
    EXPECT_EQ(client.bottom - ok.bottom, scaled(11));
    EXPECT_EQ(icon.left, scaled(11));
    EXPECT_EQ(icon.top, scaled(11));
    EXPECT_EQ(version.left, icon.right + scaled(11));
    EXPECT_EQ(second.top, version.bottom + scaled(11));
    // The box is as wide as the version line needs, whatever the second line holds.
    EXPECT_EQ(client.right, version.right + scaled(11));
    EXPECT_GT(version.right - version.left, 0);
}

TEST(AboutBox, VersionLineKeepsItsPlaceholderForAFileWithoutVersion) {
    const std::filesystem::path plain = std::filesystem::temp_directory_path() / L"vantix-no-version.txt";
    std::ofstream(plain) << "not a program";
    EXPECT_EQ(VersionLineOfFile(L"Tool (%s)", plain.c_str()), L"Tool (%s)");
    std::filesystem::remove(plain);

    wchar_t self[MAX_PATH]{};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(VersionLineOfFile(L"Tool (%s)", self).find(L"%s"), std::wstring::npos);
}

namespace {

// A program file lying at this path, as GetModuleFileNameW reports it: cut short, with the
// capacity returned, when the buffer has no room for the path and its NUL.
std::wstring longProgramPath;
std::vector<DWORD> roomsAsked;

DWORD LongProgramFileName(wchar_t* buffer, DWORD capacity) {
    roomsAsked.push_back(capacity);
    const std::size_t copied = std::min<std::size_t>(longProgramPath.size(), capacity - 1);
    std::copy_n(longProgramPath.data(), copied, buffer);
    buffer[copied] = L'\0';
    return longProgramPath.size() < capacity ? static_cast<DWORD>(longProgramPath.size()) : capacity;
}

// Folders below `root` deep enough that root + folders + fileName has exactly `length`
// characters; each folder is made.
std::vector<std::wstring> MakeFoldersForPathOfLength(const std::wstring& root, const std::wstring& fileName,
                                                     std::size_t length) {
    std::vector<std::wstring> folders{root};
    std::wstring path = root;
    while (path.size() + fileName.size() < length) {
        const std::size_t left = length - path.size() - fileName.size();
        std::size_t segment = std::min<std::size_t>(left, 200);
        if (left - segment == 1) --segment;  // a folder is "\" and at least one letter
        path += L'\\' + std::wstring(segment - 1, L'd');
        folders.push_back(path);
    }
    for (const std::wstring& folder : folders) CreateDirectoryW(folder.c_str(), nullptr);
    return folders;
}

}  // namespace

// A program started from a deep folder (by a path beginning "\\?\") still shows its version.
TEST(AboutBox, VersionLineIsFilledWhenTheProgramPathHas260CharactersOrMore) {
    wchar_t self[MAX_PATH]{};
    ASSERT_LT(GetModuleFileNameW(nullptr, self, MAX_PATH), DWORD{MAX_PATH});
    const std::wstring root = L"\\\\?\\" + (std::filesystem::temp_directory_path() /
                                          (L"vantix-long-" + std::to_wstring(GetCurrentProcessId()))).wstring();
    const std::wstring fileName = L"\\tool.exe";
    for (const std::size_t length : {std::size_t{260}, std::size_t{700}}) {
        const std::vector<std::wstring> folders = MakeFoldersForPathOfLength(root, fileName, length);
        longProgramPath = folders.back() + fileName;
        ASSERT_EQ(longProgramPath.size(), length);
        ASSERT_TRUE(CopyFileW(self, longProgramPath.c_str(), FALSE)) << GetLastError();

        roomsAsked.clear();
        EXPECT_EQ(AboutVersionLine(Instance(), UiLanguageEnglish, tool.box.versionFormatString,
                                   LongProgramFileName),
                  tool.englishVersionLine)
            << length;
        ASSERT_FALSE(roomsAsked.empty());
        EXPECT_GT(roomsAsked.back(), length);

        DeleteFileW(longProgramPath.c_str());
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) RemoveDirectoryW(folder->c_str());
    }
}

// Run by ctest under a Chinese and an English locale; the expected language comes with it.
TEST(UiLanguageQuery, FollowsTheUsersPreferredLanguages) {
    const char* expected = std::getenv("VANTIX_EXPECT_UI_LANGUAGE");
    if (!expected) GTEST_SKIP() << "run by ctest with a chosen locale";
    EXPECT_EQ(QueryUiLanguage(), static_cast<UiLanguage>(std::atoi(expected)));
}

// Not a check: opens the box and leaves it up for tools/screenshots to capture.
TEST(AboutBoxScreenshot, ShowForCapture) {
    const char* language = std::getenv("VANTIX_SCREENSHOT_LANGUAGE");
    if (!language) GTEST_SKIP() << "used by tools/screenshots";
    CAboutBox box(Instance(), static_cast<UiLanguage>(std::atoi(language)), tool.box);
    const UINT_PTR timer = SetTimer(nullptr, 0, 15000, CloseScreenshotBox);
    box.Show(nullptr);
    KillTimer(nullptr, timer);
}
