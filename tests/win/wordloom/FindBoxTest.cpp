// The Find dialog over a real main window: searches driven by its buttons, its single-letter
// keys posted to the focused control and taken through the dialog's own modal loop, its
// not-found balloon, and what its searches leave in the lists.
#include "EditBoxFixture.h"

#include "Commands.h"
#include "DialogDriver.h"
#include "FindBox.h"
#include "LetterKeyHook.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {


using Step = std::function<void(HWND dialog)>;

// Opens the dialog with `open` and runs the steps in it, one per timer tick inside its modal
// loop; the last step should close it.
void RunSteps(const std::function<void()>& open, const std::vector<Step>& steps) {
    const DialogStepsRun run = RunDialogSteps(
        [&] {
            open();
            return INT_PTR{0};
        },
        steps, IDCANCEL);
    EXPECT_FALSE(run.endedByTheRunner) << "the Find dialog was still open ten seconds after the last step";
    EXPECT_EQ(run.stepsRun, steps.size()) << "the dialog closed before every step had run";
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

int FocusedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_FOCUSED); }

std::wstring NotFoundBalloon(HWND dialog) {
    const std::optional<BalloonView> balloon = BalloonOn(GetDlgItem(dialog, IDC_FIND_WHAT));
    if (!balloon || !balloon->visible) return L"";
    EXPECT_EQ(balloon->title, L"Information");
    EXPECT_EQ(balloon->icon, TTI_INFO_LARGE);
    return balloon->text;
}

// A second after the dialog came up, so that the balloon shows over a dialog fully drawn.
void CALLBACK SearchForScreenshot(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND dialog = FindThisThreadsDialog();
    if (!dialog) return;
    Type(GetDlgItem(dialog, IDC_FIND_WHAT), L"新萬緹");
    SendMessageW(GetDlgItem(dialog, IDC_FIND_NEXT), BM_CLICK, 0, 0);
    SetTimer(nullptr, 0, 15000, CloseScreenshotBox);
}

class FindBoxTest : public EditBoxTest {
protected:
    // Ctrl+F pressed on the current list, through the program's accelerator translation.
    void PressControlF() {
        SetFocus(window_->CurrentList());
        PressKeyInLoop(window_->Window(), 'F', true);  // the dialog runs in here
    }

    // The first step of a run opened by Ctrl+F: the control key is let go.
    static void ReleaseControl(HWND) {
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
};

}  // namespace

TEST_F(FindBoxTest, FindNextWalksTheMatchesOneByOneInEitherDirectionAndStopsAtTheEnd) {
    CMainWindow& window = OpenWith(u"A\tab\r\nB\txx\r\nC\txABy\r\nD\tzz\r\nE\tAB\r\nF\tcd\r\n", u"人=人民\r\n");
    const HWND list = window.PhraseList();

    RunSteps([&] { Command(cmdFind); }, {[&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), L"Find");
        EXPECT_EQ(ControlText(dialog, IDC_FIND_WHAT_LABEL), L"Find what (N):");
        EXPECT_EQ(ControlText(dialog, IDC_MATCH_WHOLE), L"Match whole phrase (W)");
        EXPECT_EQ(ControlText(dialog, IDC_DIRECTION), L"Direction");
        EXPECT_EQ(ControlText(dialog, IDC_SEARCH_UP), L"Up (U)");
        EXPECT_EQ(ControlText(dialog, IDC_SEARCH_DOWN), L"Down (D)");
        EXPECT_EQ(ControlText(dialog, IDC_FIND_NEXT), L"Find Next (F)");
        EXPECT_EQ(ControlText(dialog, IDC_MARK_ALL), L"Mark All (M)");
        EXPECT_EQ(ControlText(dialog, IDCANCEL), L"Cancel");
        EXPECT_TRUE(Checked(dialog, IDC_SEARCH_DOWN));
        EXPECT_FALSE(Checked(dialog, IDC_SEARCH_UP));
        EXPECT_FALSE(Checked(dialog, IDC_MATCH_WHOLE));
        EXPECT_TRUE(Enabled(dialog, IDC_MATCH_WHOLE));
        EXPECT_FALSE(Enabled(dialog, IDC_FIND_NEXT));
        EXPECT_FALSE(Enabled(dialog, IDC_MARK_ALL));

        const HWND findWhat = GetDlgItem(dialog, IDC_FIND_WHAT);
        Type(findWhat, L"ab");
        EXPECT_TRUE(Enabled(dialog, IDC_FIND_NEXT));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_ALL));

        // Down from the first row: each hit is the only selected row and has the focus.
        for (const int hit : {0, 2, 4}) {
            Click(dialog, IDC_FIND_NEXT);
            EXPECT_EQ(SelectedRows(list), std::vector<int>{hit});
            EXPECT_EQ(FocusedRow(list), hit);
            EXPECT_EQ(window.FocusedPhrase(), hit);
            EXPECT_EQ(NotFoundBalloon(dialog), L"");
        }
        // No wrap: the last hit is let go and the balloon says so; the dialog stays.
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(list), std::vector<int>{});
        EXPECT_EQ(NotFoundBalloon(dialog), L"Can't find the string 'ab'.");
        EXPECT_TRUE(IsWindowVisible(dialog));

        // Up from there: the anchor row itself first, as it is no longer selected.
        Click(dialog, IDC_SEARCH_UP);
        EXPECT_FALSE(Checked(dialog, IDC_SEARCH_DOWN));
        for (const int hit : {4, 2, 0}) {
            Click(dialog, IDC_FIND_NEXT);
            EXPECT_EQ(SelectedRows(list), std::vector<int>{hit});
            EXPECT_EQ(FocusedRow(list), hit);
        }
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(list), std::vector<int>{});
        EXPECT_NE(NotFoundBalloon(dialog), L"");

        // The whole phrase, either case: "xABy" is passed over.
        Click(dialog, IDC_MATCH_WHOLE);
        Click(dialog, IDC_SEARCH_DOWN);
        for (const int hit : {0, 4}) {
            Click(dialog, IDC_FIND_NEXT);
            EXPECT_EQ(SelectedRows(list), std::vector<int>{hit});
        }
        EXPECT_EQ(NotFoundBalloon(dialog), L"");

        // The text typed goes into the message as it is, never read as a format.
        SetWindowTextW(findWhat, L"%s%n");
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(NotFoundBalloon(dialog), L"Can't find the string '%s%n'.");

        SetWindowTextW(findWhat, L"");
        EXPECT_FALSE(Enabled(dialog, IDC_FIND_NEXT));
        EXPECT_FALSE(Enabled(dialog, IDC_MARK_ALL));
        Click(dialog, IDCANCEL);
    }});
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(FocusedRow(list), 4);  // the next opening goes on from the last hit
}

// A search that lets go of most rows of a long list has the list clear every row at once; the
// rows it keeps, the focus and the row at the top are as the search left them.
TEST_F(FindBoxTest, ASearchThatClearsMostOfALongListKeepsTheRestTheFocusAndTheTopRow) {
    std::u16string phrases;
    for (int row = 0; row < 300; ++row) phrases += row == 141 || row == 143 ? u"A\tab\r\n" : u"A\tcd\r\n";
    CMainWindow& window = OpenWith(phrases, u"人=人民\r\n");
    const HWND list = window.PhraseList();
    ASSERT_EQ(ListView_GetItemCount(list), 300);
    std::vector<int> firstRows;
    for (int row = 0; row < 145; ++row) firstRows.push_back(row);

    RunSteps([&] { Command(cmdFind); }, {[&](HWND dialog) {
        // Scrolled down, every row selected, the focus just below the top.
        ListView_EnsureVisible(list, 299, FALSE);
        ListView_EnsureVisible(list, 140, FALSE);
        const int top = ListView_GetTopIndex(list);
        ASSERT_EQ(top, 140);
        ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
        ListView_SetItemState(list, 145, LVIS_FOCUSED, LVIS_FOCUSED);

        // Nothing found: every row from the focus down is let go, nothing else moves.
        Type(GetDlgItem(dialog, IDC_FIND_WHAT), L"zz");
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(list), firstRows);
        EXPECT_EQ(ListView_GetSelectedCount(list), 145u);
        EXPECT_EQ(FocusedRow(list), 145);
        EXPECT_EQ(window.FocusedPhrase(), 145);
        EXPECT_EQ(ListView_GetTopIndex(list), top);
        EXPECT_EQ(ListView_GetItemCount(list), 300);
        EXPECT_NE(NotFoundBalloon(dialog), L"");

        // Mark All from the first row with every row selected: only the two matches stay.
        ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
        ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(list, 299, FALSE);
        ListView_EnsureVisible(list, 140, FALSE);
        SetWindowTextW(GetDlgItem(dialog, IDC_FIND_WHAT), L"ab");
        Click(dialog, IDC_MARK_ALL);
        EXPECT_EQ(SelectedRows(list), (std::vector<int>{141, 143}));
        EXPECT_EQ(ListView_GetSelectedCount(list), 2u);
        EXPECT_EQ(FocusedRow(list), 143);
        EXPECT_EQ(ListView_GetTopIndex(list), top);  // 143 was in view already
        Click(dialog, IDCANCEL);
    }});
}

TEST_F(FindBoxTest, LetterKeysActFromTheButtonsAreTypedInTheBoxAndMarkAllTwiceStopsAtTheLastMatch) {
    CMainWindow& window = OpenWith(u"A\tab\r\nB\txx\r\nC\tab c\r\nD\tyy\r\nE\tcab\r\nF\tzz\r\n", u"人=人民\r\n");
    const HWND list = window.PhraseList();
    Select(list, {1, 3});

    RunSteps([&] { PressControlF(); },
             {
                 ReleaseControl,
                 [](HWND dialog) {
                     SetFocus(GetDlgItem(dialog, IDC_FIND_WHAT));
                     for (const char letter : {'F', 'M', 'N', 'W', 'U', 'D'}) PressKey(static_cast<UINT>(letter));
                 },
                 [&](HWND dialog) {
                     // Typed, and nothing else happened.
                     EXPECT_EQ(ControlText(dialog, IDC_FIND_WHAT), L"fmnwud");
                     EXPECT_FALSE(Checked(dialog, IDC_MATCH_WHOLE));
                     EXPECT_TRUE(Checked(dialog, IDC_SEARCH_DOWN));
                     EXPECT_EQ(SelectedRows(list), (std::vector<int>{1, 3}));
                     EXPECT_EQ(NotFoundBalloon(dialog), L"");
                     SetWindowTextW(GetDlgItem(dialog, IDC_FIND_WHAT), L"AB");
                     SetFocus(GetDlgItem(dialog, IDC_FIND_NEXT));
                     PressKey('W');
                     PressKey('U');
                 },
                 [](HWND dialog) {
                     EXPECT_TRUE(Checked(dialog, IDC_MATCH_WHOLE));
                     EXPECT_TRUE(Checked(dialog, IDC_SEARCH_UP));
                     EXPECT_FALSE(Checked(dialog, IDC_SEARCH_DOWN));
                     EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_FIND_NEXT));
                     PressKey('W');
                     PressKey('D');
                 },
                 [&](HWND dialog) {
                     EXPECT_FALSE(Checked(dialog, IDC_MATCH_WHOLE));
                     EXPECT_TRUE(Checked(dialog, IDC_SEARCH_DOWN));
                     EXPECT_FALSE(Checked(dialog, IDC_SEARCH_UP));
                     PressKey('M');
                 },
                 [&](HWND dialog) {
                     // Every match from the anchor down, the last one focused; the rest let go.
                     EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 2, 4}));
                     EXPECT_EQ(FocusedRow(list), 4);
                     EXPECT_EQ(NotFoundBalloon(dialog), L"");
                     PressKey('M');
                 },
                 [&](HWND dialog) {
                     // From the last match: it is let go, nothing follows, the others stay.
                     EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 2}));
                     EXPECT_EQ(NotFoundBalloon(dialog), L"Can't find the string 'AB'.");
                     PressKey('N');
                 },
                 [](HWND dialog) {
                     // The box comes with its text selected, as the dialog's focus moves do.
                     const HWND findWhat = GetDlgItem(dialog, IDC_FIND_WHAT);
                     EXPECT_EQ(GetFocus(), findWhat);
                     DWORD start = 1, end = 0;
                     SendMessageW(findWhat, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
                     EXPECT_EQ(start, 0u);
                     EXPECT_EQ(end, 2u);
                     PressKey('F');
                 },
                 [&](HWND dialog) {
                     EXPECT_EQ(ControlText(dialog, IDC_FIND_WHAT), L"f");
                     EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 2}));
                     SetFocus(GetDlgItem(dialog, IDCANCEL));
                     PressKey(VK_ESCAPE);
                 },
             });
    EXPECT_EQ(GetFocus(), list);
}

TEST_F(FindBoxTest, OnTheAssociatedWordsFindNextTakesOneCharacterInEitherCaseAndTheKeysGoWithTheDialog) {
    CMainWindow& window = OpenWith(u"A\tab\r\n", u"人=人民\r\nQ=q1\r\n大=大家\r\nb=b1\r\n");
    ShowTipsTab(window);
    const HWND list = window.TipList();

    RunSteps([&] { PressControlF(); },
             {
                 ReleaseControl,
                 [](HWND dialog) {
                     EXPECT_FALSE(Enabled(dialog, IDC_MATCH_WHOLE));
                     Type(GetDlgItem(dialog, IDC_FIND_WHAT), L"B");
                     EXPECT_TRUE(Enabled(dialog, IDC_FIND_NEXT));
                     EXPECT_FALSE(Enabled(dialog, IDC_MARK_ALL));
                     SetFocus(GetDlgItem(dialog, IDC_FIND_NEXT));
                     PressKey('M');
                     PressKey('W');
                 },
                 [&](HWND dialog) {
                     EXPECT_EQ(SelectedRows(list), std::vector<int>{});
                     EXPECT_FALSE(Checked(dialog, IDC_MATCH_WHOLE));
                     EXPECT_EQ(NotFoundBalloon(dialog), L"");
                     PressKey('F');
                 },
                 [&](HWND dialog) {
                     EXPECT_EQ(SelectedRows(list), std::vector<int>{3});
                     EXPECT_EQ(FocusedRow(list), 3);
                     EXPECT_EQ(window.FocusedTip(), 3);
                     // A selected match stays the hit.
                     Click(dialog, IDC_FIND_NEXT);
                     EXPECT_EQ(SelectedRows(list), std::vector<int>{3});
                     SetWindowTextW(GetDlgItem(dialog, IDC_FIND_WHAT), L"q");
                     Click(dialog, IDC_SEARCH_UP);
                     Click(dialog, IDC_FIND_NEXT);
                     EXPECT_EQ(SelectedRows(list), std::vector<int>{1});
                     EXPECT_EQ(FocusedRow(list), 1);
                     // Two characters are never one entry's character.
                     SetWindowTextW(GetDlgItem(dialog, IDC_FIND_WHAT), L"人大");
                     Click(dialog, IDC_SEARCH_DOWN);
                     Click(dialog, IDC_FIND_NEXT);
                     EXPECT_EQ(SelectedRows(list), std::vector<int>{});
                     EXPECT_EQ(NotFoundBalloon(dialog), L"Can't find the string '人大'.");
                     Click(dialog, IDCANCEL);
                 },
             });
    EXPECT_EQ(GetFocus(), list);

    // The ribbon's command opens it too; and once it is gone, its hook is gone and its letters
    // are plain keys again: the next dialog's field takes them as text.
    EXPECT_FALSE(CLetterKeyHook::InstalledOnThisThread());
    RunSteps([&] { Command(cmdFind); }, {[](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), L"Find");
        EXPECT_TRUE(CLetterKeyHook::InstalledOnThisThread());
        Click(dialog, IDCANCEL);
    }});
    EXPECT_FALSE(CLetterKeyHook::InstalledOnThisThread());
    RunSteps([&] { Command(cmdInsert); },
             {
                 [](HWND dialog) {
                     SetFocus(GetDlgItem(dialog, IDC_TIP_CHAR));
                     PressKey('D');
                 },
                 [](HWND dialog) {
                     EXPECT_EQ(ControlText(dialog, IDC_TIP_CHAR), L"d");
                     EndDialog(dialog, IDCANCEL);
                 },
             });
}

// Also run at 144 DPI by ctest.
TEST(FindBoxLayout, ButtonsAndBoxesFollowTheScreenDpi) {
    const auto scaled = ScaledForScreen;
    CMainWindow window(nullptr);
    CFindBox box(GetModuleHandleW(nullptr), window, false);
    const auto [client, next, mark, cancel, what, label, whole, frame, up, down] =
        DialogRects([&] { return box.Run(nullptr); },
                    {IDC_FIND_NEXT, IDC_MARK_ALL, IDCANCEL, IDC_FIND_WHAT, IDC_FIND_WHAT_LABEL, IDC_MATCH_WHOLE,
                     IDC_DIRECTION, IDC_SEARCH_UP, IDC_SEARCH_DOWN});
    for (const RECT& button : {next, mark, cancel}) ExpectStandardButtonAtRight(client, button);
    EXPECT_EQ(next.top, scaled(11));
    EXPECT_EQ(mark.top - next.bottom, scaled(7));
    EXPECT_EQ(client.bottom - cancel.bottom, scaled(11));
    EXPECT_EQ(next.left - what.right, scaled(11));
    EXPECT_EQ(what.bottom - what.top, scaled(23));
    EXPECT_EQ(what.left - label.right, scaled(7));
    // The check box and the radios share a line inside the frame, nothing overlapping.
    EXPECT_EQ(whole.top, up.top);
    EXPECT_EQ(up.top, down.top);
    EXPECT_LE(whole.right, frame.left);
    EXPECT_LT(frame.left, up.left);
    EXPECT_LE(up.right, down.left);
    EXPECT_LE(down.right, frame.right);
    EXPECT_LE(frame.right, next.left);
    EXPECT_LE(frame.bottom, client.bottom);
}

// Not a check: leaves the dialog up with the not-found balloon for tools/screenshots to capture.
TEST(FindBoxScreenshot, ShowForCapture) {
    if (!UseScreenshotLanguage()) GTEST_SKIP() << "used by tools/screenshots";
    CMainWindow window(nullptr);
    CFindBox box(GetModuleHandleW(nullptr), window, false);
    RunDialogAnswered([&] { return box.Run(nullptr); },
                      [](HWND) { SetTimer(nullptr, 0, 1000, SearchForScreenshot); });
}
