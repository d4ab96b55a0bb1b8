// The real Vantixcfg.exe /configure, driven from outside as a user drives it: mouse clicks and
// key presses through the system's input queue, then the stored word compared.
#include "ChildProcess.h"
#include "ResourceChecks.h"
#include "SettingsTestSupport.h"
#include "res/resource.h"

namespace {

// Input through the system's queue to the program's dialog, which is brought back to the
// front first should anything else have come up meanwhile.
class UserInput {
public:
    explicit UserInput(HWND frame) : frame_(frame) {}

    void Type(WORD virtualKey) const {
        Front();
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        Send(input);
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        Send(input);
        Settle();
    }

    void ClickAt(POINT point) const {
        Front();
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        // Right after Wine starts, the display's own pointer may still move the cursor back:
        // the button goes down only once the cursor stays where it was sent.
        POINT cursor{};
        for (int attempt = 0; attempt < 40; ++attempt) {
            input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
            Send(input);
            Sleep(50);
            GetCursorPos(&cursor);
            if (cursor.x == point.x && cursor.y == point.y) break;
        }
        EXPECT_EQ(cursor.x, point.x);
        EXPECT_EQ(cursor.y, point.y);
        for (const DWORD action : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | action;
            Send(input);
        }
        Settle();
    }

    void ClickCentreOf(HWND control) const {
        RECT rect{};
        GetWindowRect(control, &rect);
        ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }

    // A check box or radio button is clicked on its mark, near its left edge.
    void ClickRow(int id) const {
        RECT rect{};
        GetWindowRect(FindControl(frame_, id), &rect);
        ClickAt(POINT{rect.left + 6, (rect.top + rect.bottom) / 2});
    }

    // The tab control's item rectangles live in the other process; a click on the row of tabs
    // gives it the focus and the arrow keys move along the tabs.
    void GoToTab(int index) const {
        RECT tabs{};
        GetWindowRect(GetDlgItem(frame_, IDC_TABS), &tabs);
        ClickAt(POINT{tabs.left + 8, tabs.top + 8});  // on the first tab
        Type(VK_HOME);
        for (int step = 0; step < index; ++step) Type(VK_RIGHT);
    }

    // Opens a drop-down list with the mouse, moves down `steps` items and takes that item.
    void ChooseFromList(int listId, int steps) const {
        ClickCentreOf(FindControl(frame_, listId));
        for (int step = 0; step < steps; ++step) Type(VK_DOWN);
        Type(VK_RETURN);
    }

private:
    void Front() const {
        if (GetForegroundWindow() != frame_) {
            SetForegroundWindow(frame_);
            Settle();
        }
    }
    static void Send(INPUT input) { SendInput(1, &input, sizeof(input)); }
    static void Settle() { Sleep(150); }

    HWND frame_;
};

TEST(EndToEnd, ConfigureEditsEveryKindOfOptionWithMouseAndLetterKeysAndSavesOnOk) {
    RemoveStoredSettings();
    const ChildProcess tool(SettingsToolPath(), L"/configure");
    ASSERT_TRUE(tool.Started());
    const HWND frame = WaitForDialogOf(tool.Id());
    ASSERT_TRUE(frame) << "the configure dialog did not come up";
    const UserInput user(frame);

    // General page: letters, then the mouse brings associated words back so S works again.
    for (const WORD letter : {'N', 'U', 'B', 'C', 'E', 'F', 'A', 'S'}) user.Type(letter);
    EXPECT_FALSE(IsEnabled(frame, IDC_SPACE_FINALIZES));
    EXPECT_TRUE(IsMarked(frame, IDC_SPACE_FINALIZES));
    user.ClickRow(IDC_PROMPT_TIPS);
    EXPECT_TRUE(IsMarked(frame, IDC_PROMPT_TIPS));
    user.Type('S');
    EXPECT_FALSE(IsMarked(frame, IDC_SPACE_FINALIZES));
    user.ChooseFromList(IDC_FONT_SIZE, 1);

    // Advanced page.
    user.GoToTab(1);
    EXPECT_TRUE(IsWindowVisible(PageOf(frame, IDC_PHRASE_INPUT)));
    for (const WORD letter : {'P', 'T', 'W', 'Q', 'L'}) user.Type(letter);
    user.ClickRow(IDC_RIGHT_SHIFT);
    EXPECT_TRUE(IsMarked(frame, IDC_RIGHT_SHIFT));
    EXPECT_FALSE(IsMarked(frame, IDC_LEFT_SHIFT));

    // Keyboard page; V finds no phrase tool beside this build of the program and does nothing.
    user.GoToTab(2);
    user.ChooseFromList(IDC_KEYBOARD_LAYOUT, 3);
    user.Type('V');
    user.ClickCentreOf(GetDlgItem(frame, IDOK));

    EXPECT_EQ(tool.ExitCode(10000), std::optional<DWORD>(0));

    SettingsRecord expected = DefaultSettings();
    expected.defaultAlphanumeric = true;
    expected.cueSpecialCode = true;
    expected.includeExtB = expected.includeExtCD = expected.includeExtE = expected.includeExtF = true;
    expected.spaceFinalizes = false;
    expected.candidateFontSize = 1;
    expected.enablePhraseInput = true;
    expected.useBuiltInPhrases = false;
    expected.useBothPhrases = true;
    expected.warningBeep = false;
    expected.showReading = true;
    expected.toggleWithAnyShift = false;
    expected.toggleWithRightShift = true;
    expected.keyboardLayout = 3;
    EXPECT_EQ(ReadSettingsFile(), BytesOfWord(PackSettings(expected)));
    RemoveStoredSettings();
}

}  // namespace
