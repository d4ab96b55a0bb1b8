// The phrase tool as a program: started as a process, found by its window title.
#include "ChildProcess.h"
#include "StoreFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr wchar_t ChineseTitle[] = L"新萬緹輸入法自造詞工具";
constexpr wchar_t EnglishTitle[] = L"New Vantix User Phrase Tool";

// The phrase tool's window under either language, once it is up and its program takes
// messages, so that its start-up work is done (waits up to 5 s for the window).
HWND PhraseToolWindow() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (const wchar_t* title : {ChineseTitle, EnglishTitle}) {
            if (const HWND window = FindWindowW(nullptr, title)) {
                DWORD_PTR ignored = 0;
                SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored);
                return window;
            }
        }
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

using ProgramTest = StoreTest;

TEST_F(ProgramTest, ASecondStartActivatesTheFirstAndEndsWithOne) {
    PutValue(kPhrasesValue, REG_BINARY, BytesOf(u"A\tone\r\n"));
    const ChildProcess first(L"" WORDLOOM_EXE);
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(PhraseToolWindow());

    const ChildProcess second(L"" WORDLOOM_EXE);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.ExitCode(10000), std::optional<DWORD>(1));
    EXPECT_FALSE(first.ExitCode(0));  // still running
}

TEST_F(ProgramTest, AFirstStartSeedsTheAssociatedWordsFromTheDictionaryBesideIt) {
    const std::filesystem::path program = dir_ / L"Wordloom.exe";
    std::filesystem::copy_file(WORDLOOM_EXE, program);
    WriteFileBytes((dir_ / L"vantix_tips.dic").wstring(), BytesOf(u"人=人民,人們\r\n大=大家\r\n"));

    const ChildProcess tool(program.wstring());
    ASSERT_TRUE(tool.Started());
    const HWND window = PhraseToolWindow();
    ASSERT_TRUE(window);
    const std::optional<StoredValue> tips = GetValue(kTipsValue);
    ASSERT_TRUE(tips);
    EXPECT_EQ(tips->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(tips->bytes, BytesOf(u"人=人民,人們\r\n大=大家\r\n"));
}

TEST_F(ProgramTest, TheBuiltProgramSeedsTheDeliveredDictionaryUnchanged) {
    const std::optional<std::string> delivered = ReadFileBytes(L"" WORDLOOM_TIPS_DICTIONARY);
    ASSERT_TRUE(delivered);
    const ChildProcess tool(L"" WORDLOOM_EXE);  // the build puts the dictionary beside it
    ASSERT_TRUE(tool.Started());
    ASSERT_TRUE(PhraseToolWindow());
    const std::optional<StoredValue> tips = GetValue(kTipsValue);
    ASSERT_TRUE(tips);
    EXPECT_EQ(tips->bytes.size(), delivered->size());
    EXPECT_TRUE(tips->bytes == *delivered);  // not EXPECT_EQ: a failure would print 300 kB
}

TEST_F(ProgramTest, ClosingTheWindowWithNothingUnsavedEndsWithZero) {
    PutValue(kPhrasesValue, REG_BINARY, BytesOf(u"A\tone\r\n"));
    PutValue(kTipsValue, REG_BINARY, BytesOf(u"人=人民\r\n"));
    const ChildProcess tool(L"" WORDLOOM_EXE);
    ASSERT_TRUE(tool.Started());
    const HWND window = PhraseToolWindow();
    ASSERT_TRUE(window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool.ExitCode(10000), std::optional<DWORD>(0));
}

