// The associated-word editor driven from inside its own modal loop: keys and pastes into its
// boxes, its buttons and drag-list notifications, and what Insert and Modify leave in the table.
#include "EditBoxFixture.h"

#include "Commands.h"
#include "TipEditBox.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr wchar_t ErrorTitle[] = L"Error";

std::wstring ListItems(HWND list) {
    std::wstring items;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        wchar_t text[64]{};
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
        items += (index ? L"," : L"") + std::wstring(text);
    }
    return items;
}

// The drag list's notification for a point over the middle of an item.
LRESULT Drag(HWND dialog, HWND list, UINT notification, int item) {
    RECT rect{};
    SendMessageW(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
    DRAGLISTINFO info{notification, list, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}};
    ClientToScreen(list, &info.ptCursor);
    SendMessageW(dialog, RegisterWindowMessageW(DRAGLISTMSGSTRING), IDC_TIP_WORD_LIST, reinterpret_cast<LPARAM>(&info));
    return GetWindowLongPtrW(dialog, DWLP_MSGRESULT);
}

LRESULT CALLBACK CountSetText(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR count) {
    if (message == WM_SETTEXT) ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(box, message, wParam, lParam);
}

// A paste from the clipboard over the box's whole text.
void PasteFromClipboard(HWND field, std::wstring_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    std::unique_ptr<void, decltype(&GlobalFree)> memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes), GlobalFree);
    ASSERT_TRUE(memory);
    std::memcpy(GlobalLock(memory.get()), text.data(), text.size() * sizeof(wchar_t));
    GlobalUnlock(memory.get());
    ASSERT_TRUE(OpenClipboard(field));
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();  // the clipboard owns it now
    CloseClipboard();
    ASSERT_FALSE(memory) << "the clipboard refused the text";
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_PASTE, 0, 0);
}

class TipEditBoxTest : public EditBoxTest {
protected:
    // The window over these associated words (and one phrase), on their tab.
    CMainWindow& OpenOnTips(std::u16string_view tips) {
        CMainWindow& window = OpenWith(u"A\talpha\r\n", tips);
        ShowTipsTab(window);
        return window;
    }

    // The same with the focus on the first entry, which Modify edits.
    CMainWindow& OpenOnFirstTip(std::u16string_view tips) {
        CMainWindow& window = OpenOnTips(tips);
        ListView_SetItemState(window.TipList(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
        return window;
    }
};

}  // namespace

TEST_F(TipEditBoxTest, InsertChecksCharacterAndWordsReordersAndAddsTwoEntriesInOneOpening) {
    CMainWindow& window = OpenOnTips(u"a=x\r\n");
    window.Tips().table[0].flags |= EntryDeleted;  // a marked entry still counts as existing

    Answer(cmdInsert, [&](HWND dialog) {
        const HWND character = GetDlgItem(dialog, IDC_TIP_CHAR);
        const HWND word = GetDlgItem(dialog, IDC_TIP_WORD);
        const HWND list = GetDlgItem(dialog, IDC_TIP_WORD_LIST);
        const HWND confirm = GetDlgItem(dialog, IDOK);
        EXPECT_EQ(WindowText(dialog), L"Associated Word Editor");
        EXPECT_EQ(WindowText(confirm), L"Add");
        EXPECT_FALSE(IsWindowEnabled(confirm));

        // A supplementary-plane character: the first half waits, the pair is refused.
        SetFocus(character);
        Type(character, L"\xD840");
        EXPECT_FALSE(BalloonShown(character));
        Type(character, L"\xDC00");
        ExpectBalloon(character, L"Information", L"Extension B/C/D/E characters are not support.", TTI_INFO_LARGE);
        // Three units are cut to two, by one text change that is not checked again.
        int setTexts = 0;
        SetWindowSubclass(character, CountSetText, 1, reinterpret_cast<DWORD_PTR>(&setTexts));
        Paste(character, L"xyz");
        RemoveWindowSubclass(character, CountSetText, 1);
        EXPECT_EQ(setTexts, 1);
        EXPECT_EQ(WindowText(character), L"xy");
        ExpectBalloon(character, ErrorTitle, L"Too many characters.", TTI_ERROR_LARGE);
        // An existing character is only warned about; a paste of a new one takes the warning away.
        Paste(character, L"A");
        ExpectBalloon(character, ErrorTitle, L"This character has already existed in the table.", TTI_ERROR_LARGE);
        Paste(character, L"\x4eba");
        EXPECT_FALSE(BalloonShown(character));
        EXPECT_FALSE(IsWindowEnabled(confirm));  // no word yet

        SetFocus(word);
        Type(word, L"12345678");
        Type(word, L"9");
        EXPECT_EQ(WindowText(word), L"12345678");
        EXPECT_EQ(Selection(word), (std::pair<DWORD, DWORD>{8, 8}));
        ExpectBalloon(word, L"Word Too Long", L"Please do not exceed 8 characters.", TTI_ERROR_LARGE);
        Paste(word, L"ABC");
        EXPECT_FALSE(BalloonShown(word));
        Click(dialog, IDC_TIP_ADD_WORD);
        EXPECT_EQ(WindowText(word), L"");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIP_ADD_WORD)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIP_DELETE)));  // never the last word
        for (const wchar_t* next : {L"12345678", L"two"}) {
            Paste(word, next);
            Click(dialog, IDC_TIP_ADD_WORD);
        }
        Paste(word, L"abc");
        Click(dialog, IDC_TIP_ADD_WORD);
        ExpectBalloon(word, ErrorTitle, L"This associated word has already existed in the list.", TTI_ERROR_LARGE);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIP_ADD_WORD)));
        EXPECT_EQ(ListItems(list), L"two,12345678,ABC");  // new words at the top

        // "two" is selected: Down, Down, then Up; then dragged from the top onto the last word.
        Click(dialog, IDC_TIP_DOWN);
        Click(dialog, IDC_TIP_DOWN);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIP_DOWN)));
        Click(dialog, IDC_TIP_UP);
        EXPECT_EQ(ListItems(list), L"12345678,two,ABC");
        EXPECT_EQ(Drag(dialog, list, DL_BEGINDRAG, 0), TRUE);
        EXPECT_EQ(Drag(dialog, list, DL_DRAGGING, 2), DL_MOVECURSOR);
        Drag(dialog, list, DL_DROPPED, 2);
        EXPECT_EQ(ListItems(list), L"two,12345678,ABC");  // lands before the word dropped on
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
        // Deleting the selected word selects the one before it.
        Click(dialog, IDC_TIP_DELETE);
        EXPECT_EQ(ListItems(list), L"two,ABC");
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);

        // Emptying the box keeps the last accepted character.
        Paste(character, L"");
        Click(dialog, IDOK);
        EXPECT_EQ(ListView_GetItemCount(window.TipList()), 2);
        EXPECT_FALSE(window.Tips().tipsUnchanged);
        // Open for the next entry, which starts from this one's words.
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(IsWindowEnabled(confirm));
        EXPECT_EQ(GetFocus(), character);
        EXPECT_EQ(ListItems(list), L"two,ABC");
        Paste(character, L"\x5927");
        Click(dialog, IDOK);
        Click(dialog, IDCANCEL);
    });

    const TipTable& table = window.Tips().table;
    EXPECT_EQ(EntryRows(table, &TipEntry::character, &TipEntry::words),
              (std::vector<std::u16string>{u"a=x", u"\u4eba=two,ABC", u"\u5927=two,ABC"}));
    EXPECT_EQ(table.back().image, window.Images().normalImage);
    EXPECT_EQ(ListView_GetItemCount(window.TipList()), 3);
    EXPECT_EQ(Cell(window.TipList(), 2, 2), L"two,ABC");
    EXPECT_FALSE(window.Tips().tipsUnchanged);
}

TEST_F(TipEditBoxTest, ModifyKeepsTheCharacterAndChangesTheTableOnlyWhenTheWordsDiffer) {
    CMainWindow& window = OpenOnFirstTip(u"\u4eba=\u4eba\u6c11,,\u4eba\u5011\r\n");

    // Nothing changed but the empty word between the commas: that is a change of the words.
    Answer(cmdModify, [&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDOK), L"OK");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIP_CHAR)));
        EXPECT_EQ(ControlText(dialog, IDC_TIP_CHAR), L"\x4eba");
        EXPECT_EQ(ListItems(GetDlgItem(dialog, IDC_TIP_WORD_LIST)), L"\x4eba\x6c11,\x4eba\x5011");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(window.Tips().table[0].words, u"\u4eba\u6c11,\u4eba\u5011");
    EXPECT_FALSE(window.Tips().tipsUnchanged);

    window.Tips().tipsUnchanged = true;
    Answer(cmdModify, [&](HWND dialog) { Click(dialog, IDOK); });
    EXPECT_TRUE(window.Tips().tipsUnchanged);

    Answer(cmdModify, [&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_TIP_WORD_LIST);
        SendMessageW(list, LB_SETCURSEL, 1, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_TIP_WORD_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        Click(dialog, IDC_TIP_UP);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(window.Tips().table[0].words, u"\u4eba\u5011,\u4eba\u6c11");
    EXPECT_EQ(window.Tips().table[0].character, u"\u4eba");
    EXPECT_FALSE(window.Tips().tipsUnchanged);
}

// The stored line is the character, "=" and the words joined by ",": a word holding either
// would come back as another line, other words or none. The box refuses them as it refuses a
// ninth unit, however the text comes in.
TEST_F(TipEditBoxTest, WordsWithEqualsSignsOrCommasAreRefusedAndNeverStored) {
    CMainWindow& window = OpenOnFirstTip(u"\u4eba=\u4eba\u6c11\r\n");
    const std::wstring refusal = L"Words cannot contain \"=\" or \",\".";

    Answer(cmdModify, [&](HWND dialog) {
        const HWND word = GetDlgItem(dialog, IDC_TIP_WORD);
        // The box is back at the last accepted word, the caret at its end, and says why.
        const auto expectRefused = [&](const std::wstring& kept) {
            EXPECT_EQ(WindowText(word), kept);
            const auto end = static_cast<DWORD>(kept.size());
            EXPECT_EQ(Selection(word), std::make_pair(end, end));
            ExpectBalloon(word, ErrorTitle, refusal, TTI_ERROR_LARGE);
        };
        SetFocus(word);
        Type(word, L"a=");
        expectRefused(L"a");
        Type(word, L"b");
        EXPECT_EQ(WindowText(word), L"ab");
        EXPECT_FALSE(BalloonShown(word));
        Click(dialog, IDC_TIP_ADD_WORD);

        Paste(word, L"p");
        Paste(word, L"p,q");
        expectRefused(L"p");
        PasteFromClipboard(word, L"q");
        EXPECT_EQ(WindowText(word), L"q");
        EXPECT_FALSE(BalloonShown(word));
        PasteFromClipboard(word, L",,");
        expectRefused(L"q");
        SetWindowTextW(word, L"x=y");
        expectRefused(L"q");
        Click(dialog, IDC_TIP_ADD_WORD);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(window.Tips().table[0].words, u"q,ab,\u4eba\u6c11");
}

TEST(TipEditBoxLayout, BoxesListAndButtonsFollowTheScreenDpi) {
    const auto scaled = ScaledForScreen;
    const TipTable table;
    CTipEditBox box(GetModuleHandleW(nullptr), table, nullptr);
    const auto [client, confirm, cancel, character, word, list, add, up, down, remove] =
        DialogRects([&] { return box.Run(nullptr); }, {IDOK, IDCANCEL, IDC_TIP_CHAR, IDC_TIP_WORD, IDC_TIP_WORD_LIST,
                                                       IDC_TIP_ADD_WORD, IDC_TIP_UP, IDC_TIP_DOWN, IDC_TIP_DELETE});
    ExpectButtonRow(client, confirm, cancel);
    EXPECT_EQ(character.top, scaled(11));
    EXPECT_EQ(character.bottom - character.top, scaled(23));
    // Two characters wide, the word box and the list eight, in one column left of the buttons.
    EXPECT_EQ(word.right - word.left, 4 * (character.right - character.left));
    EXPECT_EQ(word.top, character.bottom + scaled(11));
    EXPECT_EQ(list.left, word.left);
    EXPECT_EQ(list.right, word.right);
    EXPECT_EQ(list.top, word.bottom + scaled(11));
    EXPECT_EQ(add.left - list.right, scaled(7));
    EXPECT_EQ(add.top, word.top);
    EXPECT_EQ(add.right, cancel.right);
    EXPECT_EQ(up.top, list.top);
    EXPECT_EQ(down.top, up.bottom + scaled(7));
    EXPECT_EQ(remove.top, scaled(11) + 2 * (scaled(23) + scaled(7) + scaled(23) + scaled(11)));
    EXPECT_EQ(cancel.top - list.bottom, scaled(11));
}

namespace {

// A second after the dialog came up, as a user would: a ninth unit in the word box, refused.
void CALLBACK TypeTipForScreenshot(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND dialog = FindThisThreadsDialog();
    if (!dialog) return;
    const HWND word = GetDlgItem(dialog, IDC_TIP_WORD);
    SetFocus(word);
    Type(word, L"人山人海一二三四五");
    SetTimer(nullptr, 0, 15000, CloseScreenshotBox);
}

}  // namespace

// Not a check: leaves the dialog up with a refused word for tools/screenshots to capture.
TEST(TipEditBoxScreenshot, ShowForCapture) {
    if (!UseScreenshotLanguage()) GTEST_SKIP() << "used by tools/screenshots";
    CTipEditBox box(GetModuleHandleW(nullptr), std::u16string(u"\u4eba"), std::u16string(u"\u4eba\u6c11,\u4eba\u5011,\u4eba\u751f"));
    RunDialogAnswered([&] { return box.Run(nullptr); },
                      [](HWND) { SetTimer(nullptr, 0, 1000, TypeTipForScreenshot); });
}
