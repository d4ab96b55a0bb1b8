#include "WindowFixture.h"

#include "Commands.h"
#include "DialogDriver.h"
#include "DisplayMetrics.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST_F(MainWindowTest, ListsShowBothStoredTablesCellByCell) {
    CMainWindow& window = OpenWith(u"YOEY\t新萬緹\r\nab\tP2\r\nA1\tbad\r\n", u"人=人民,人們\r\n大=大家\r\n");

    const HWND phrases = window.PhraseList();
    ASSERT_EQ(ListView_GetItemCount(phrases), 2);
    EXPECT_EQ(Cell(phrases, 0, 1), L"新萬緹");
    EXPECT_EQ(Cell(phrases, 0, 2), L"6^9^3^6^");
    EXPECT_EQ(Cell(phrases, 0, 3), L"YOEY");
    EXPECT_EQ(Cell(phrases, 1, 3), L"AB");
    EXPECT_EQ(Cell(phrases, 1, 0), L"");
    EXPECT_EQ(RowLook(phrases, 0).iImage, window.Images().normalImage);
    EXPECT_EQ(RowLook(phrases, 0, 1).iImage, I_IMAGENONE);  // the icon belongs to column 0 only

    const HWND tips = window.TipList();
    ASSERT_EQ(ListView_GetItemCount(tips), 2);
    EXPECT_EQ(Cell(tips, 0, 1), L"人");
    EXPECT_EQ(Cell(tips, 0, 2), L"人民,人們");
    EXPECT_FALSE(IsWindowVisible(tips));
    EXPECT_TRUE(IsWindowVisible(phrases));
    EXPECT_TRUE(window.Phrases().phrasesUnchanged);
    EXPECT_TRUE(window.Tips().tipsUnchanged);
}

TEST_F(MainWindowTest, DeletedRowsLookCutWithTheDeletedIconUntilUndelete) {
    PutText(kPhrasesValue, u"A\tone\r\nB\ttwo\r\nC\tthree\r\n");
    CMainWindow& window = Open();
    const HWND list = window.PhraseList();

    Select(list, {0});
    Command(cmdDelete);
    Select(list, {2});
    ListView_SetItemState(list, 0, 0, LVIS_SELECTED);
    Command(cmdAccelDelete);
    EXPECT_TRUE(window.Phrases().phrasesHaveDeleted);
    for (const int row : {0, 2}) {
        EXPECT_EQ(RowLook(list, row).state & LVIS_CUT, static_cast<UINT>(LVIS_CUT)) << row;
        EXPECT_EQ(RowLook(list, row).iImage, window.Images().deletedImage) << row;
    }
    EXPECT_EQ(RowLook(list, 1).state & LVIS_CUT, 0u);
    EXPECT_EQ(RowLook(list, 1).iImage, window.Images().normalImage);

    // Undelete brings back every marked row, selected or not, from both Delete commands.
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    Command(cmdUndelete);
    EXPECT_FALSE(window.Phrases().phrasesHaveDeleted);
    for (const int row : {0, 1, 2}) {
        EXPECT_EQ(RowLook(list, row).state & LVIS_CUT, 0u) << row;
        EXPECT_EQ(RowLook(list, row).iImage, window.Images().normalImage) << row;
    }
    EXPECT_TRUE(window.Phrases().phrasesUnchanged);  // marks are not changes of the table
}

TEST_F(MainWindowTest, DeleteOfRowsAlreadyMarkedStillSetsTheFlag) {
    PutText(kPhrasesValue, u"A\tone\r\n");
    CMainWindow& window = Open();
    window.Phrases().table[0].flags |= EntryDeleted;
    Command(cmdDelete);
    EXPECT_FALSE(window.Phrases().phrasesHaveDeleted);  // nothing selected: nothing happens

    Select(window.PhraseList(), {0});
    Command(cmdDelete);
    EXPECT_TRUE(window.Phrases().phrasesHaveDeleted);
}

TEST_F(MainWindowTest, SelectAllSelectsEveryRowOfTheCurrentList) {
    PutText(kPhrasesValue, u"A\tone\r\nB\ttwo\r\nC\tthree\r\n");
    CMainWindow& window = Open();
    Command(cmdAccelSelectAll);
    EXPECT_EQ(SelectedRows(window.PhraseList()), (std::vector<int>{0, 1, 2}));
}

TEST_F(MainWindowTest, HeaderClicksSortUpDownUpAndCarryTheSelection) {
    PutText(kPhrasesValue, u"B\tbeta\r\nC\tgamma\r\nA\talpha\r\n");
    CMainWindow& window = Open();
    const HWND list = window.PhraseList();
    Select(list, {1});                                          // gamma
    ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);  // beta
    ASSERT_EQ(window.FocusedPhrase(), 0);

    ClickHeader(1);
    EXPECT_EQ(Cell(list, 0, 1), L"alpha");
    EXPECT_EQ(Cell(list, 2, 1), L"gamma");
    EXPECT_EQ(HeaderArrow(1), 1);
    EXPECT_EQ(SelectedRows(list), std::vector<int>{2});
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 1);
    EXPECT_EQ(window.FocusedPhrase(), 1);

    ClickHeader(1);
    EXPECT_EQ(Cell(list, 0, 1), L"gamma");
    EXPECT_EQ(HeaderArrow(1), 2);
    EXPECT_EQ(SelectedRows(list), std::vector<int>{0});

    ClickHeader(1);
    EXPECT_EQ(Cell(list, 0, 1), L"alpha");
    EXPECT_EQ(HeaderArrow(1), 1);

    // Another column starts ascending and takes the arrow away from the first.
    ClickHeader(3);
    EXPECT_EQ(HeaderArrow(1), 0);
    EXPECT_EQ(HeaderArrow(3), 1);
    EXPECT_TRUE(window.SortState().sortedByInputKey);
    Command(cmdDescendingSort);
    EXPECT_EQ(Cell(list, 0, 3), L"C");
    EXPECT_EQ(HeaderArrow(3), 2);
}

TEST_F(MainWindowTest, LeavingATabAsksAboutThatTableOnlyAndYesSavesIt) {
    CMainWindow& window = Open();  // nothing stored: both tables count as changed
    ASSERT_TRUE(window.Phrases().HasUnsavedWork());
    ASSERT_TRUE(window.Tips().HasUnsavedWork());

    std::wstring prompt;
    auto switchTo = [&](int tab, int answer) {
        RunDialogAnswered(
            [&] { return SwitchToTab(window, tab); },
            [&](HWND box) {
                prompt = WindowText(box) + L"|" + ControlText(box, 0xFFFF);
                SendMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
            });
    };

    switchTo(1, IDYES);
    EXPECT_EQ(prompt, L"Wordloom window test|是否要儲存變更?");
    EXPECT_EQ(window.CurrentTab(), 1);
    EXPECT_TRUE(IsWindowVisible(window.TipList()));
    EXPECT_FALSE(IsWindowVisible(window.PhraseList()));
    ASSERT_TRUE(GetValue(kPhrasesValue));
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, "");
    EXPECT_FALSE(GetValue(kTipsValue));

    prompt.clear();
    switchTo(0, IDNO);
    EXPECT_FALSE(prompt.empty());
    EXPECT_EQ(window.CurrentTab(), 0);
    EXPECT_FALSE(GetValue(kTipsValue));
    EXPECT_TRUE(window.Tips().HasUnsavedWork());
}

TEST_F(MainWindowTest, CloseAsksWhileWorkIsUnsavedAndCancelKeepsTheWindow) {
    CMainWindow& window = OpenWith(u"A\tone\r\n", u"人=人民\r\n");
    Select(window.PhraseList(), {0});
    Command(cmdDelete);

    auto close = [&](int answer) {
        RunDialogAnswered([&] { return SendMessageW(window.Window(), WM_CLOSE, 0, 0); },
                          [&](HWND box) { SendMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0); });
    };
    close(IDCANCEL);
    ASSERT_TRUE(IsWindow(window.Window()));
    close(IDYES);
    EXPECT_FALSE(window.Window());
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, "");  // the marked entry was dropped by the save
}

TEST_F(MainWindowTest, TheDeleteKeyIsACommandOfTheWindowNotAKeyOfTheList) {
    PutText(kPhrasesValue, u"A\tone\r\nB\ttwo\r\n");
    CMainWindow& window = Open();
    const HWND list = window.PhraseList();
    Select(list, {1});
    SetFocus(list);
    PressKeyInLoop(window.Window(), VK_DELETE);

    EXPECT_TRUE(window.Phrases().phrasesHaveDeleted);
    EXPECT_TRUE(window.Phrases().table[1].flags & EntryDeleted);
    EXPECT_FALSE(window.Phrases().table[0].flags & EntryDeleted);
}

namespace {

// A ribbon that only remembers where the context popup was asked for.
struct PopupRecorder final : Ribbon {
    static inline POINT shownAt{-99, -99};
    void RefreshCommandStates() override {}
    void InvalidateSortToggles() override {}
    bool ShowContextPopup(POINT point) override {
        shownAt = point;
        return true;
    }
    void DestroyViews() override {}
};

std::unique_ptr<Ribbon> MakePopupRecorder(CMainWindow&) {
    return std::make_unique<PopupRecorder>();
}

}  // namespace

TEST_F(MainWindowTest, ContextPopupFromTheKeyboardSitsOnTheFocusedRowOrAThirdIntoTheList) {
    PutText(kPhrasesValue, u"A\tone\r\nB\ttwo\r\n");
    CMainWindow& window = Open(MakePopupRecorder);
    const HWND list = window.PhraseList();

    ListView_SetItemState(list, 1, LVIS_FOCUSED, LVIS_FOCUSED);
    SendMessageW(window.Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    RECT row{};
    ListView_GetItemRect(list, 1, &row, LVIR_BOUNDS);
    POINT expected{(row.left + row.right) / 2, row.top};
    ClientToScreen(list, &expected);
    EXPECT_EQ(PopupRecorder::shownAt.x, expected.x);
    EXPECT_EQ(PopupRecorder::shownAt.y, expected.y);

    Command(cmdAccelSave);  // a save forgets the focus anchor
    ASSERT_EQ(window.FocusedPhrase(), -1);
    SendMessageW(window.Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    RECT client{};
    GetClientRect(list, &client);
    expected = POINT{client.right / 3, client.bottom / 3};
    ClientToScreen(list, &expected);
    EXPECT_EQ(PopupRecorder::shownAt.x, expected.x);
    EXPECT_EQ(PopupRecorder::shownAt.y, expected.y);

    // The mouse puts it where the click was.
    SendMessageW(window.Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(321, 123));
    EXPECT_EQ(PopupRecorder::shownAt.x, 321);
    EXPECT_EQ(PopupRecorder::shownAt.y, 123);

    // The popup belongs to the lists: a right click on the tab row or on the window around the
    // lists (where the ribbon is) opens nothing.
    for (const HWND elsewhere : {window.TabControl(), window.Window()}) {
        SendMessageW(window.Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(elsewhere), MAKELPARAM(55, 66));
        EXPECT_EQ(PopupRecorder::shownAt.x, 321);
    }
}

TEST_F(MainWindowTest, ADpiChangeGivesBothListsRowIconsAtTheNewSize) {
    PutText(kPhrasesValue, u"A\tone\r\n");
    CMainWindow& window = Open();
    if (!CurrentWindowsVersion().IsWindows8Point1OrLater()) GTEST_SKIP() << "no DPI changes before Windows 8.1";
    const int before = MonitorDpi(window.Window());
    ASSERT_GT(before, 0);
    const int after = before * 3 / 2;  // 96 to 144, or 144 to 216 in the scaled prefix
    auto iconWidth = [](HWND list) {
        int width = 0, height = 0;
        ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_SMALL), &width, &height);
        return width;
    };
    const int oldWidth = SystemMetricAtDpi(SM_CXSMICON, before);
    const int newWidth = SystemMetricAtDpi(SM_CXSMICON, after);
    ASSERT_NE(oldWidth, newWidth);
    EXPECT_EQ(iconWidth(window.PhraseList()), oldWidth);
    EXPECT_EQ(iconWidth(window.TipList()), oldWidth);

    RECT suggested{40, 50, 40 + 1200, 50 + 900};
    SendMessageW(window.Window(), WM_DPICHANGED, MAKEWPARAM(after, after), reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(window.Window(), &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.right - frame.left, 1200);
    EXPECT_EQ(iconWidth(window.PhraseList()), newWidth);
    EXPECT_EQ(iconWidth(window.TipList()), newWidth);
    EXPECT_EQ(RowLook(window.PhraseList(), 0).iImage, window.Images().normalImage);

    // The lists still fill the tab control's display area.
    RECT tab{}, list{};
    GetClientRect(window.TabControl(), &tab);
    TabCtrl_AdjustRect(window.TabControl(), FALSE, &tab);
    GetWindowRect(window.PhraseList(), &list);
    MapWindowPoints(nullptr, window.TabControl(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, tab.left);
    EXPECT_EQ(list.bottom, tab.bottom);
}

namespace {

// The program's name as the system gives it when the program sits in a folder so deep that its
// path has 260 characters or more: cut short to the buffer, whose length comes back.
DWORD NameOfAProgramInADeepFolder(wchar_t* buffer, DWORD capacity) {
    std::wstring path = L"C:\\Users\\user";
    while (path.size() < 300) path += L"\\a folder of the phrase tool";
    path += L"\\Wordloom.exe";
    const std::size_t written = std::min<std::size_t>(path.size(), capacity - 1);
    std::copy_n(path.data(), written, buffer);
    buffer[written] = L'\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return capacity;
}

}  // namespace

TEST_F(MainWindowTest, AProgramPathTooLongToUseSaysSoAndGoesOnWithoutAssociatedWords) {
    PutText(kPhrasesValue, u"A\tone\r\n");  // no associated words stored: the first start seeds them
    window_ = std::make_unique<CMainWindow>(nullptr);
    window_->SetProgramFileNameQuery(NameOfAProgramInADeepFolder);
    std::wstring message;
    HICON icon = nullptr;
    RunDialogAnswered([&] { return INT_PTR{window_->Create(GetModuleHandleW(nullptr), L"Wordloom window test") != nullptr}; },
                      [&](HWND box) {
                          message = ControlText(box, 0xFFFF);
                          icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, 0x0440, STM_GETICON, 0, 0));
                          SendMessageW(box, WM_COMMAND, IDOK, 0);
                      });
    EXPECT_EQ(message, LoadUiString(IDS_TIPS_NOT_FOUND));
    EXPECT_EQ(icon, LoadIconW(nullptr, IDI_ERROR));
    // The tool goes on with its phrases and no associated words; nothing was seeded or stored.
    ASSERT_TRUE(IsWindow(window_->Window()));
    EXPECT_EQ(ListView_GetItemCount(window_->PhraseList()), 1);
    EXPECT_EQ(ListView_GetItemCount(window_->TipList()), 0);
    EXPECT_FALSE(GetValue(kTipsValue));
}
