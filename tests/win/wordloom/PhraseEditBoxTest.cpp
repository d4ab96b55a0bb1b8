// The phrase edit dialog driven from inside its own modal loop: keys typed into its fields, its
// balloons read from the tooltip window, and what Insert and Modify leave in the main window.
#include "EditBoxFixture.h"

#include "Commands.h"
#include "PhraseEditBox.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t BadKeyTitle[] = L"Incorrect Input Key";
constexpr wchar_t BadKeyText[] = L"Please use Vantix input key and do not exceed 4 characters.";

// A second after the dialog came up, as a user would: the balloon then shows over a dialog
// that is fully drawn.
void CALLBACK TypeForScreenshot(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND dialog = FindThisThreadsDialog();
    if (!dialog) return;
    const HWND key = GetDlgItem(dialog, IDC_INPUT_KEY);
    Paste(GetDlgItem(dialog, IDC_PHRASE), L"新萬緹輸入法");
    SetFocus(key);
    Type(key, L"yoeya");
    SetTimer(nullptr, 0, 15000, CloseScreenshotBox);
}

class PhraseEditBoxTest : public EditBoxTest {
protected:
    void FocusRow(int row) { ListView_SetItemState(window_->PhraseList(), row, LVIS_FOCUSED, LVIS_FOCUSED); }
};

}  // namespace

TEST_F(PhraseEditBoxTest, InsertChecksKeysAsTypedRefusesADuplicateAndAddsTwoPhrasesInOneOpening) {
    PutText(kPhrasesValue, u"B\tbeta\r\nA\tABC\r\n");
    CMainWindow& window = Open();
    const HWND list = window.PhraseList();
    Select(list, {1});
    Command(cmdDelete);  // "ABC" is only marked: it still counts as a duplicate
    ClickHeader(1);
    ASSERT_EQ(HeaderArrow(1), 1);

    Answer(cmdInsert, [&](HWND dialog) {
        const HWND phrase = GetDlgItem(dialog, IDC_PHRASE);
        const HWND key = GetDlgItem(dialog, IDC_INPUT_KEY);
        const HWND ok = GetDlgItem(dialog, IDOK);
        EXPECT_EQ(WindowText(ok), L"Add");
        EXPECT_FALSE(IsWindowEnabled(ok));

        SetFocus(key);
        Type(key, L"yoey");
        EXPECT_EQ(WindowText(key), L"YOEY");
        EXPECT_EQ(ControlText(dialog, IDC_VANTIX_KEY), L"6^9^3^6^");
        EXPECT_FALSE(BalloonShown(key));
        // A fifth key, a digit and the apostrophe are each undone on the spot.
        for (const wchar_t refused : {L'a', L'1', L'\''}) {
            Type(key, std::wstring(1, refused));
            EXPECT_EQ(WindowText(key), L"YOEY") << static_cast<int>(refused);
            EXPECT_EQ(Selection(key), std::make_pair(DWORD{4}, DWORD{4}));
            ExpectBalloon(key, BadKeyTitle, BadKeyText, TTI_ERROR_LARGE);
        }
        EXPECT_FALSE(IsWindowEnabled(ok));  // a key but no phrase yet
        SetFocus(phrase);
        EXPECT_FALSE(BalloonShown(key));  // the field lost the focus
        Paste(phrase, L"\r\n\t");
        EXPECT_FALSE(IsWindowEnabled(ok));

        Paste(phrase, L"abc");
        Click(dialog, IDOK);
        ExpectBalloon(phrase, L"Information", L"This phrase has already existed in the table.", TTI_INFO_LARGE);
        EXPECT_FALSE(IsWindowEnabled(ok));
        EXPECT_EQ(GetFocus(), phrase);
        // Ctrl+Enter adds a line break; the stored phrase would still be "abc".
        Type(phrase, L"\n");
        EXPECT_FALSE(BalloonShown(phrase));
        EXPECT_EQ(WindowText(phrase), L"abc\r\n");
        Click(dialog, IDOK);
        EXPECT_TRUE(BalloonShown(phrase));

        Paste(phrase, L"abcd");
        Click(dialog, IDOK);
        EXPECT_EQ(GetFocus(), phrase);
        EXPECT_TRUE(IsWindowVisible(dialog));

        Paste(phrase, L"second\r\nline");
        SendMessageW(key, EM_SETSEL, 0, -1);
        Type(key, L"p");
        Click(dialog, IDOK);
        Click(dialog, IDCANCEL);
    });

    const PhraseTable& table = window.Phrases().table;
    ASSERT_EQ(table.size(), 4u);
    const PhraseTable added(table.begin() + 2, table.end());
    EXPECT_EQ(EntryRows(added, &PhraseEntry::inputKey, &PhraseEntry::phrase),
              (std::vector<std::u16string>{u"YOEY=abcd", u"P=secondline"}));
    EXPECT_EQ(EntryRows(added, &PhraseEntry::vantixKey, &PhraseEntry::phrase),
              (std::vector<std::u16string>{u"6^9^3^6^=abcd", u"0^=secondline"}));
    EXPECT_EQ(table[3].flags, 0u);
    EXPECT_EQ(table[3].image, window.Images().normalImage);
    EXPECT_EQ(ListView_GetItemCount(list), 4);
    EXPECT_EQ(Cell(list, 3, 1), L"secondline");
    EXPECT_FALSE(window.Phrases().phrasesUnchanged);
    EXPECT_EQ(HeaderArrow(1), 0);
    EXPECT_EQ(window.SortState().CurrentColumn(), 0);
    EXPECT_EQ(GetFocus(), list);
}

TEST_F(PhraseEditBoxTest, ThePhraseLimitCountsTheTextAsTypedLineBreaksIncluded) {
    PhraseTable table;
    std::vector<std::u16string> added;
    CPhraseEditBox box(GetModuleHandleW(nullptr), table, [&](const EditedPhrase& edited) {
        added.push_back(edited.phrase);
        table.push_back(PhraseEntry{edited.phrase, edited.vantixKey, edited.inputKey});
        return true;
    });
    const INT_PTR result = RunDialogAnswered([&] { return box.Run(nullptr); }, [&](HWND dialog) {
        const HWND phrase = GetDlgItem(dialog, IDC_PHRASE);
        SetFocus(GetDlgItem(dialog, IDC_INPUT_KEY));
        Type(GetDlgItem(dialog, IDC_INPUT_KEY), L"a");
        for (const std::wstring& tooLong : {std::wstring(256, L'x'), std::wstring(254, L'y') + L"\r\n"}) {
            Paste(phrase, tooLong);
            Click(dialog, IDOK);
            ExpectBalloon(phrase, L"Phrase Too Long", L"This phrase is longer than 255 characters, cannot be registered.",
                          TTI_ERROR_LARGE);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        }
        SetFocus(GetDlgItem(dialog, IDC_INPUT_KEY));
        EXPECT_FALSE(BalloonShown(phrase));  // the field lost the focus
        Paste(phrase, std::wstring(255, L'x'));
        Click(dialog, IDOK);
        Paste(phrase, std::wstring(253, L'y') + L"\r\n");
        Click(dialog, IDOK);
        // A command that reaches the dialog while OK is disabled accepts nothing.
        Paste(phrase, L"");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(added, (std::vector<std::u16string>{std::u16string(255, u'x'), std::u16string(253, u'y')}));
    ASSERT_TRUE(box.Result().has_value());
    EXPECT_EQ(box.Result()->phrase, added.back());
}

TEST_F(PhraseEditBoxTest, ModifyOfAStoredFiveKeyEntryOpensWithoutTheKeyInsteadOfRefusingItForever) {
    PutText(kPhrasesValue, u"ABCDE\tlong key\r\nB\tbeta\r\n");
    CMainWindow& window = Open();
    FocusRow(0);
    Answer(cmdModify, [&](HWND dialog) {
        const HWND key = GetDlgItem(dialog, IDC_INPUT_KEY);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), L"OK");
        EXPECT_EQ(ControlText(dialog, IDC_PHRASE), L"long key");
        EXPECT_EQ(WindowText(key), L"");
        EXPECT_EQ(ControlText(dialog, IDC_VANTIX_KEY), L"");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        EXPECT_FALSE(BalloonShown(key));
        // Coming to the field says why it is empty; the next keystroke is taken.
        SetFocus(key);
        ExpectBalloon(key, BadKeyTitle, BadKeyText, TTI_ERROR_LARGE);
        Type(key, L"q");
        EXPECT_FALSE(BalloonShown(key));
        EXPECT_EQ(ControlText(dialog, IDC_VANTIX_KEY), L"1^");
        Click(dialog, IDOK);
    });
    const PhraseEntry& entry = window.Phrases().table[0];
    EXPECT_EQ(entry.phrase, u"long key");
    EXPECT_EQ(entry.inputKey, u"Q");
    EXPECT_EQ(entry.vantixKey, u"1^");
    EXPECT_EQ(Cell(window.PhraseList(), 0, 3), L"Q");
    EXPECT_FALSE(window.Phrases().phrasesUnchanged);
}

TEST_F(PhraseEditBoxTest, ModifyTakesTheSortArrowOnlyFromAColumnWhoseTextChanged) {
    PutText(kPhrasesValue, u"B\tbeta\r\nA\talpha\r\n");
    CMainWindow& window = Open();
    const HWND list = window.PhraseList();
    ClickHeader(3);
    ASSERT_EQ(Cell(list, 0, 1), L"alpha");
    Select(list, {0});
    Command(cmdDelete);
    FocusRow(0);
    auto modify = [&](const std::function<void(HWND dialog)>& edit) {
        Answer(cmdModify, [&](HWND dialog) {
            edit(dialog);
            Click(dialog, IDOK);
        });
    };

    // Nothing altered: the table counts as changed, the order as sorted.
    modify([](HWND) {});
    EXPECT_FALSE(window.Phrases().phrasesUnchanged);
    EXPECT_EQ(HeaderArrow(3), 1);

    // The same phrase in other letters is no duplicate test's business in Modify.
    modify([](HWND dialog) { Paste(GetDlgItem(dialog, IDC_PHRASE), L"BETA"); });
    EXPECT_EQ(Cell(list, 0, 1), L"BETA");
    EXPECT_EQ(HeaderArrow(3), 1);
    EXPECT_TRUE(window.SortState().sortedByInputKey);
    EXPECT_TRUE(window.SortState().sortAscending);

    modify([](HWND dialog) {
        const HWND key = GetDlgItem(dialog, IDC_INPUT_KEY);
        SendMessageW(key, EM_SETSEL, 0, -1);
        Type(key, L"z");
    });
    EXPECT_EQ(Cell(list, 0, 2), L"1v");
    EXPECT_EQ(Cell(list, 0, 3), L"Z");
    EXPECT_EQ(HeaderArrow(3), 0);
    EXPECT_EQ(window.SortState().CurrentColumn(), 0);
    EXPECT_FALSE(window.SortState().sortAscending || window.SortState().sortDescending);
    // The deleted mark and its icon stay with the entry.
    EXPECT_TRUE(window.Phrases().table[0].flags & EntryDeleted);
    EXPECT_EQ(window.Phrases().table[0].image, window.Images().deletedImage);
}

// Also run at 144 DPI by ctest.
TEST(PhraseEditBoxLayout, ButtonsAndFieldsFollowTheScreenDpi) {
    const PhraseTable table;
    CPhraseEditBox box(GetModuleHandleW(nullptr), table, nullptr);
    const auto [client, ok, cancel, phrase, vantix, key] = DialogRects(
        [&] { return box.Run(nullptr); }, {IDOK, IDCANCEL, IDC_PHRASE, IDC_VANTIX_KEY, IDC_INPUT_KEY});
    ExpectButtonRow(client, ok, cancel);
    EXPECT_EQ(phrase.bottom - phrase.top, 4 * ScaledForScreen(23));
    // The two key fields share the line under the phrase field.
    EXPECT_EQ(vantix.right - vantix.left, key.right - key.left);
    EXPECT_EQ(vantix.top, key.top);
    EXPECT_EQ(key.right, client.right - ScaledForScreen(11));
    EXPECT_LT(key.bottom, ok.top);
}

// Not a check: leaves the dialog up with a refused key for tools/screenshots to capture.
TEST(PhraseEditBoxScreenshot, ShowForCapture) {
    if (!UseScreenshotLanguage()) GTEST_SKIP() << "used by tools/screenshots";
    const PhraseTable table;
    CPhraseEditBox box(GetModuleHandleW(nullptr), table, nullptr);
    RunDialogAnswered([&] { return box.Run(nullptr); },
                      [](HWND) { SetTimer(nullptr, 0, 1000, TypeForScreenshot); });
}
