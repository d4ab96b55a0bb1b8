// The configure dialog's sizes and positions on the real window, in both languages, at the
// DPI of the display the test runs on (ctest runs it at 96 and at 144 DPI).
#include "ConfigureBox.h"
#include "DialogDriver.h"
#include "SettingsTestSupport.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <commctrl.h>

#include <cstdlib>
#include <vector>

namespace {

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Scaled(int length) {
    return MulDiv(length, ScreenDpi(), 96);
}

// The extent of a control's own text in its own font.
SIZE TextExtent(HWND control) {
    const std::wstring text = WindowText(control);
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return extent;
}

// A control's rectangle in the client coordinates of its parent (the frame or a page).
RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

constexpr int Rows[] = {
    IDC_ALPHANUMERIC, IDC_CUE_SPECIAL_CODE, IDC_PROMPT_TIPS, IDC_SPACE_FINALIZES, IDC_EXT_B,       IDC_EXT_CD,
    IDC_EXT_E,        IDC_EXT_F,            IDC_ANY_SHIFT,   IDC_LEFT_SHIFT,      IDC_RIGHT_SHIFT, IDC_SHOW_READING,
    IDC_PHRASE_INPUT, IDC_WARNING_BEEP,     IDC_FONT_HINT,   IDC_KEYBOARD_HINT,
};
constexpr int PhraseSources[] = {IDC_BUILT_IN_PHRASES, IDC_USER_PHRASES, IDC_BOTH_PHRASES};

class ConfigureBoxLayout : public SettingsTest, public testing::WithParamInterface<UiLanguage> {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        SetProcessUiLanguage(GetParam());
    }
};

TEST_P(ConfigureBoxLayout, ButtonsTabControlAndPagesFollowTheMetrics) {
    RunConfigureBox({[](HWND frame) {
        const int m = Scaled(11), s = Scaled(7), bw = Scaled(75), bh = Scaled(23);
        RECT client{};
        GetClientRect(frame, &client);
        const RECT cancel = ControlRect(frame, IDCANCEL);
        const RECT ok = ControlRect(frame, IDOK);
        const RECT phraseTool = ControlRect(frame, IDC_PHRASE_TOOL);
        EXPECT_EQ(Width(cancel), bw);
        EXPECT_EQ(Height(cancel), bh);
        EXPECT_EQ(Width(ok), bw);
        EXPECT_EQ(client.right - cancel.right, m);
        EXPECT_EQ(client.bottom - cancel.bottom, m);
        EXPECT_EQ(cancel.left - ok.right, s);
        EXPECT_EQ(ok.left - phraseTool.right, s);
        EXPECT_EQ(ok.top, cancel.top);
        EXPECT_EQ(phraseTool.top, cancel.top);
        EXPECT_EQ(Width(phraseTool), TextExtent(GetDlgItem(frame, IDC_PHRASE_TOOL)).cx + 2 * s);

        const HWND tabs = GetDlgItem(frame, IDC_TABS);
        const RECT tabRect = ControlRect(frame, IDC_TABS);
        EXPECT_EQ(tabRect.left, m);
        EXPECT_EQ(tabRect.top, m);
        EXPECT_EQ(client.right, Width(tabRect) + 2 * m);
        EXPECT_EQ(client.bottom, m + Height(tabRect) + m + bh + m);
        // Each page covers exactly the tab control's display area.
        RECT display = tabRect;
        TabCtrl_AdjustRect(tabs, FALSE, &display);
        for (const int id : {IDC_PROMPT_TIPS, IDC_PHRASE_INPUT, IDC_KEYBOARD_LAYOUT}) {
            const RECT page = RectInParent(PageOf(frame, id));
            EXPECT_EQ(page.left, display.left);
            EXPECT_EQ(page.top, display.top);
            EXPECT_EQ(page.right, display.right);
            EXPECT_EQ(page.bottom, display.bottom);
        }
        PostMessageW(frame, WM_CLOSE, 0, 0);
    }});
}

TEST_P(ConfigureBoxLayout, RowsHoldTheirTextsBesideTheCheckMark) {
    RunConfigureBox({[](HWND frame) {
        const int checkMark = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);
        const int m = Scaled(11);
        const int rowWidth = Width(RectInParent(FindControl(frame, IDC_EXT_CD)));
        const int rowHeight = Height(RectInParent(FindControl(frame, IDC_EXT_CD)));
        EXPECT_GE(rowHeight, GetSystemMetrics(SM_CYMENUCHECK));
        for (const int id : Rows) {
            const HWND row = FindControl(frame, id);
            const RECT rect = RectInParent(row);
            EXPECT_EQ(Width(rect), rowWidth) << id;
            EXPECT_EQ(Height(rect), rowHeight) << id;
            EXPECT_GE(rowHeight, TextExtent(row).cy) << id;
            EXPECT_LE(TextExtent(row).cx + checkMark, rowWidth) << "clipped text in " << id;
        }
        for (const int id : PhraseSources) {
            const HWND row = FindControl(frame, id);
            EXPECT_EQ(Width(RectInParent(row)), rowWidth - m) << id;
            EXPECT_LE(TextExtent(row).cx + checkMark, rowWidth - m) << "clipped text in " << id;
        }
        // The space key option sits under its parent option's text.
        EXPECT_EQ(RectInParent(FindControl(frame, IDC_SPACE_FINALIZES)).left,
                  RectInParent(FindControl(frame, IDC_PROMPT_TIPS)).left + checkMark);
        PostMessageW(frame, WM_CLOSE, 0, 0);
    }});
}

TEST_P(ConfigureBoxLayout, EveryControlLiesInsideItsPage) {
    RunConfigureBox({[](HWND frame) {
        const int m = Scaled(11);
        for (const int anyId : {IDC_PROMPT_TIPS, IDC_PHRASE_INPUT, IDC_KEYBOARD_LAYOUT}) {
            const HWND page = PageOf(frame, anyId);
            RECT pageClient{};
            GetClientRect(page, &pageClient);
            for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
                const RECT rect = RectInParent(control);
                const int id = GetDlgCtrlID(control);
                EXPECT_GE(rect.left, m) << id;
                EXPECT_GE(rect.top, m) << id;
                EXPECT_LE(rect.right, pageClient.right - m) << id;
                EXPECT_LE(rect.bottom, pageClient.bottom - m) << id;
            }
        }
        PostMessageW(frame, WM_CLOSE, 0, 0);
    }});
}

TEST_P(ConfigureBoxLayout, HeadingsWithTheirLinesListsAndPicture) {
    RunConfigureBox({[](HWND frame) {
        const int m = Scaled(11), s = Scaled(7), h = Scaled(23);
        const std::pair<int, int> headings[] = {{IDC_GENERAL_HEADING, IDC_GENERAL_LINE},
                                                {IDC_OUTPUT_HEADING, IDC_OUTPUT_LINE},
                                                {IDC_ADVANCED_HEADING, IDC_ADVANCED_LINE},
                                                {IDC_KEYBOARD_HEADING, IDC_KEYBOARD_LINE}};
        for (const auto& [headingId, lineId] : headings) {
            const HWND heading = FindControl(frame, headingId);
            const RECT headingRect = RectInParent(heading);
            const RECT line = RectInParent(FindControl(frame, lineId));
            RECT page{};
            GetClientRect(GetParent(heading), &page);
            EXPECT_EQ(headingRect.left, m);
            EXPECT_EQ(Width(headingRect), TextExtent(heading).cx) << headingId;
            EXPECT_EQ(line.left, headingRect.right + s) << lineId;
            EXPECT_EQ(line.right, page.right - m) << lineId;
            EXPECT_EQ(line.top, headingRect.top + Height(headingRect) / 2) << lineId;
            EXPECT_EQ(Height(line), 2) << lineId;
        }
        for (const int listId : {IDC_FONT_SIZE, IDC_KEYBOARD_LAYOUT}) {
            EXPECT_EQ(Height(RectInParent(FindControl(frame, listId))), h) << listId;
        }
        // The font list ends right of its label, which sits centred beside it.
        const RECT label = RectInParent(FindControl(frame, IDC_FONT_LABEL));
        const RECT fontList = RectInParent(FindControl(frame, IDC_FONT_SIZE));
        EXPECT_EQ(fontList.left, label.right + s);
        EXPECT_EQ(label.top - fontList.top, (h - Height(label)) / 2);

        const HWND picture = FindControl(frame, IDC_LAYOUT_PREVIEW);
        const RECT pictureRect = RectInParent(picture);
        BITMAP bitmap{};
        ASSERT_TRUE(GetObjectW(ShownPicture(frame), sizeof(bitmap), &bitmap));
        EXPECT_EQ(bitmap.bmWidth, Width(pictureRect));
        EXPECT_EQ(bitmap.bmHeight, Height(pictureRect));
        EXPECT_LE(std::abs(Width(pictureRect) * 160 - Height(pictureRect) * 600), 600) << "not 600 : 160";
        EXPECT_EQ(pictureRect.left, m);
        PostMessageW(frame, WM_CLOSE, 0, 0);
    }});
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ConfigureBoxLayout,
                         testing::Values(UiLanguageEnglish, UiLanguageTraditionalChinese),
                         [](const testing::TestParamInfo<UiLanguage>& info) {
                             return info.param == UiLanguageEnglish ? std::string("English") : std::string("Chinese");
                         });

int screenshotTab = 0;

void CALLBACK ChooseScreenshotPage(HWND, UINT, UINT_PTR timer, DWORD) {
    if (const HWND frame = FindThisThreadsDialog()) {
        KillTimer(nullptr, timer);
        ClickTab(frame, screenshotTab);
    }
}

void CALLBACK CloseScreenshotBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (const HWND frame = FindThisThreadsDialog()) PostMessageW(frame, WM_CLOSE, 0, 0);
}

// Not a check: shows one page of the dialog for tools/configure-screenshots to capture.
TEST(ConfigureBoxScreenshot, ShowPageForCapture) {
    const char* page = std::getenv("VANTIX_SCREENSHOT_PAGE");
    if (!page || !UseScreenshotLanguage()) GTEST_SKIP() << "used by tools/configure-screenshots";
    screenshotTab = std::atoi(page);
    SetTimer(nullptr, 0, 50, ChooseScreenshotPage);
    SetTimer(nullptr, 0, 15000, CloseScreenshotBox);
    CConfigureBox box(GetModuleHandleW(nullptr));
    box.Run(nullptr);
}

}  // namespace
