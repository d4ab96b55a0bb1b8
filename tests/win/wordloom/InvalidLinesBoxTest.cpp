// The report of invalid lines on its own: 100,000 rows open at once in its virtual list, the
// keyboard reaches Copy and Close, and resizing keeps every control in place above the minimum.
#include "DialogDriver.h"
#include "InvalidLinesBox.h"
#include "TestBytes.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

InvalidLineReport ManyLines(std::size_t count) {
    InvalidLineReport report;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t start = report.text.size();
        report.text += u"line ";
        report.text += static_cast<char16_t>(u'A' + i % 26);
        report.lines.push_back({2 * i + 1, {InvalidReason::NoTab}, start, report.text.size() - start});
    }
    return report;
}

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

TEST(InvalidLinesBox, AHundredThousandRowsOpenAtOnceAndTheDialogResizesDownToItsMinimum) {
    CInvalidLinesBox box(GetModuleHandleW(nullptr), ManyLines(100000));
    int rows = 0;
    std::wstring last;
    RECT list{}, copy{}, close{}, grip{};
    RECT small{};
    bool listHasFocus = false;
    RunDialogAnswered([&] { return box.Run(nullptr); }, [&](HWND dialog) {
        const HWND listView = GetDlgItem(dialog, IDC_INVALID_LINES_LIST);
        listHasFocus = GetFocus() == listView;
        rows = ListView_GetItemCount(listView);
        wchar_t text[64]{};
        ListView_GetItemText(listView, 99999, 0, text, 64);
        last = text;
        ListView_GetItemText(listView, 99999, 2, text, 64);
        last += L" ";
        last += text;
        // Made as small as can be: the window keeps its minimum, and the controls do not overlap.
        SetWindowPos(dialog, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
        small = ClientRectOf(dialog);
        list = ControlRect(dialog, IDC_INVALID_LINES_LIST);
        copy = ControlRect(dialog, IDC_INVALID_LINES_COPY);
        close = ControlRect(dialog, IDCANCEL);
        grip = ControlRect(dialog, IDC_INVALID_LINES_GRIP);
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(rows, 100000);
    EXPECT_EQ(last, L"199999 line D");
    EXPECT_TRUE(listHasFocus);
    EXPECT_GT(small.right, 200);
    EXPECT_GT(small.bottom, 100);
    EXPECT_LE(list.bottom, copy.top);
    EXPECT_LE(copy.right, close.left);
    EXPECT_LE(close.right, grip.left);
    EXPECT_EQ(grip.right, small.right);
    EXPECT_EQ(grip.bottom, small.bottom);
}

// Not a check: leaves the question or the report up for tools/screenshots to capture.
TEST(InvalidLinesScreenshot, ShowForCapture) {
    const char* which = std::getenv("VANTIX_SCREENSHOT_DIALOG");
    if (!which || !UseScreenshotLanguage()) GTEST_SKIP() << "used by tools/screenshots";
    const std::wstring path = (std::filesystem::temp_directory_path() / L"invalid lines shot.txt").wstring();
    WriteFileBytes(path, "\xEF\xBB\xBF" "YOEY\t\xE6\x96\xB0\xE8\x90\xAC\xE7\xB7\xB9\n"
                         "\xE8\x87\xAA\xE9\x80\xA0\xE8\xA9\x9E \xE5\xB7\xA5\xE5\x85\xB7\n"
                         "AB1\thello\n"
                         "\thello\x01world\n"
                         "Q\t\xFF\xE7\x9B\xB8\xE9\x97\x9C\n"
                         "A\tB\tC\n"
                         "\n"
                         "Q;/\t\xE7\x9B\xB8\xE9\x97\x9C\xE5\xAD\x97\xE8\xA9\x9E\n");
    if (std::string(which) == "question") {
        std::wstring text = LoadUiString(IDS_IMPORT_RESULT);
        text.replace(text.find(L"%d"), 2, L"2");
        text.replace(text.find(L"%d"), 2, L"6");
        ShowImportMessage(nullptr, LoadUiString(IDS_APP_TITLE), text, MB_ICONINFORMATION, TableKind::Phrases, path, 6);
        return;
    }
    CInvalidLinesBox box(GetModuleHandleW(nullptr), FindInvalidLines(TableKind::Phrases, ReadFileBytes(path).value_or("")));
    box.Run(nullptr);
}

}  // namespace
