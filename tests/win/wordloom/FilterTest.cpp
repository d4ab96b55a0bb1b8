#include "WindowFixture.h"

#include "Commands.h"
#include "MessageLoop.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>

namespace {

void TypeText(HWND box, std::wstring_view text) {
    for (const wchar_t unit : text) SendMessageW(box, WM_CHAR, unit, 0);
}

// Handles messages (the filter's pause timer among them) until the condition holds or a few
// seconds have passed.
bool PumpUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
    return true;
}

std::wstring StatusPart(HWND bar, int part) {
    std::array<wchar_t, 200> text{};
    SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::wstring Counted(unsigned id, std::initializer_list<int> counts) {
    std::wstring text = LoadUiString(id);
    for (const int count : counts) text.replace(text.find(L"%d"), 2, std::to_wstring(count));
    return text;
}

}  // namespace

// Ctrl+E, typing, Delete over the rows shown, Save of the whole table, Esc: the flow a user with
// a long list takes to get rid of a few phrases.
TEST_F(MainWindowTest, FilterAsYouTypeActsOnTheShownRowsAndSaveStoresTheWholeTable) {
    PutText(kPhrasesValue, u"AB\tone\r\nCD\tcab\r\nEF\tthree\r\nABC\tfour\r\nQ\tfive\r\n");
    CMainWindow& window = Open();
    const HWND list = window.PhraseList();
    const HWND box = GetDlgItem(window.TabControl(), IDC_PHRASE_FILTER);
    ASSERT_TRUE(box);
    EXPECT_EQ(StatusPart(window.StatusBar(), 0), Counted(IDS_STATUS_PHRASES, {5, 0}));
    EXPECT_EQ(StatusPart(window.StatusBar(), 1), L"");

    SetFocus(list);
    PressKeyInLoop(window.Window(), 'E', true);
    ASSERT_EQ(GetFocus(), box);

    // Both keys and a phrase hold "ab" in some case; the burst filters once the typing pauses.
    TypeText(box, L"aB");
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetItemCount(list) == 3; })) << ListView_GetItemCount(list);
    EXPECT_EQ(Cell(list, 0, 1), L"one");
    EXPECT_EQ(Cell(list, 1, 1), L"cab");
    EXPECT_EQ(Cell(list, 2, 1), L"four");
    EXPECT_EQ(StatusPart(window.StatusBar(), 1), Counted(IDS_STATUS_SHOWN, {3}));

    // In the box, Delete edits the text: no row is marked. "B" keeps the same three rows.
    SendMessageW(box, EM_SETSEL, 0, 0);
    PressKeyInLoop(window.Window(), VK_DELETE);
    EXPECT_FALSE(window.Phrases().phrasesHaveDeleted);
    ASSERT_TRUE(PumpUntil([&] { return window.PhraseView().FilterText() == u"b"; }));
    EXPECT_EQ(ListView_GetItemCount(list), 3);

    // Down goes into the list; Select All and Delete mark the rows shown only.
    PressKeyInLoop(window.Window(), VK_DOWN);
    ASSERT_EQ(GetFocus(), list);
    Command(cmdSelectAll);
    ListView_SetItemState(list, 1, 0, LVIS_SELECTED);  // keep "cab"
    PressKeyInLoop(window.Window(), VK_DELETE);
    const auto marked = [&](std::size_t row) { return (window.Phrases().table[row].flags & EntryDeleted) != 0; };
    EXPECT_TRUE(marked(0));
    EXPECT_FALSE(marked(1));
    EXPECT_FALSE(marked(2));
    EXPECT_TRUE(marked(3));
    EXPECT_FALSE(marked(4));
    EXPECT_EQ(StatusPart(window.StatusBar(), 0), Counted(IDS_STATUS_PHRASES, {5, 2}));

    // Sorting sorts the table; the list shows its rows in the new order.
    ClickHeader(1);
    EXPECT_EQ(Cell(list, 0, 1), L"cab");
    EXPECT_EQ(Cell(list, 1, 1), L"four");
    EXPECT_EQ(Cell(list, 2, 1), L"one");

    // Save drops the marked rows of the whole table and keeps every other, shown or not.
    Command(cmdSave);
    const std::optional<StoredValue> stored = GetValue(kPhrasesValue);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bytes, BytesOf(u"CD\tcab\r\nQ\tfive\r\nEF\tthree\r\n"));
    EXPECT_EQ(ListView_GetItemCount(list), 1);  // the filter still holds "B": cab

    // Esc in the box shows every row again.
    SetFocus(box);
    PressKeyInLoop(window.Window(), VK_ESCAPE);
    EXPECT_EQ(GetWindowTextLengthW(box), 0);
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(StatusPart(window.StatusBar(), 0), Counted(IDS_STATUS_PHRASES, {3, 0}));
    EXPECT_EQ(StatusPart(window.StatusBar(), 1), L"");
}
