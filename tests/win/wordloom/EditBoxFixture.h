// Driving the phrase tool's edit dialogs from inside their own modal loops: keystrokes and
// pastes into their fields, clicks, their balloons, and a main-window fixture in English that
// runs a command opening one and answers it.
#pragma once

#include "WindowFixture.h"

#include "DialogDriver.h"
#include "UiStrings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

// Keystrokes as the field receives them from the keyboard.
inline void Type(HWND field, std::wstring_view keys) {
    for (const wchar_t key : keys) SendMessageW(field, WM_CHAR, key, 0);
}

// The whole text replaced, as a paste does (a multi-line edit reports no text set by WM_SETTEXT).
inline void Paste(HWND field, const std::wstring& text) {
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

inline std::pair<DWORD, DWORD> Selection(HWND field) {
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

inline void Click(HWND dialog, int id) {
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline void ExpectBalloon(HWND field, const std::wstring& title, const std::wstring& text, int icon) {
    const std::optional<BalloonView> balloon = BalloonOn(field);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_TRUE(balloon->visible);
    EXPECT_EQ(balloon->title, title);
    EXPECT_EQ(balloon->text, text);
    EXPECT_EQ(balloon->icon, icon);
}

inline bool BalloonShown(HWND field) {
    const std::optional<BalloonView> balloon = BalloonOn(field);
    return balloon && balloon->visible;
}

// For the screenshot hooks: closes the dialog on screen when the timer fires.
inline void CALLBACK CloseScreenshotBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (const HWND dialog = FindThisThreadsDialog()) EndDialog(dialog, IDCANCEL);
}

// A length at 96 DPI as the dialogs scale it for the screen's DPI.
inline int ScaledForScreen(int length) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(length, dpi, 96);
}

// A push button of the dialogs' standard size, 11 units from the right edge of the client area.
inline void ExpectStandardButtonAtRight(const RECT& client, const RECT& button) {
    EXPECT_EQ(button.right - button.left, ScaledForScreen(75));
    EXPECT_EQ(button.bottom - button.top, ScaledForScreen(23));
    EXPECT_EQ(client.right - button.right, ScaledForScreen(11));
}

// The row the dialog ends with: Cancel in the bottom right corner, the confirm button beside it.
inline void ExpectButtonRow(const RECT& client, const RECT& confirm, const RECT& cancel) {
    ExpectStandardButtonAtRight(client, cancel);
    EXPECT_EQ(client.bottom - cancel.bottom, ScaledForScreen(11));
    EXPECT_EQ(cancel.left - confirm.right, ScaledForScreen(7));
    EXPECT_EQ(confirm.top, cancel.top);
}

class EditBoxTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetProcessUiLanguage(UiLanguageEnglish);
    }
    void TearDown() override {
        SetProcessUiLanguage(UiLanguageTraditionalChinese);
        MainWindowTest::TearDown();
    }

    // Runs a command that opens the dialog and answers it from inside.
    void Answer(unsigned command, const std::function<void(HWND dialog)>& answer) {
        bool answered = false;
        RunDialogAnswered(
            [&] {
                Command(command);
                return INT_PTR{0};
            },
            [&](HWND dialog) {
                answered = true;
                answer(dialog);
                if (HasFailure()) EndDialog(dialog, IDCANCEL);  // an assertion may have left it open
            });
        EXPECT_TRUE(answered);
    }
};
