#include "ConfigureBox.h"

#include "DialogWindow.h"
#include "PhraseToolLauncher.h"
#include "SettingsStore.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <commctrl.h>

#include <optional>

namespace {

struct CheckControl {
    int id;
    CheckOption option;
};

constexpr CheckControl CheckControls[] = {
    {IDC_PROMPT_TIPS, CheckOption::PromptAssociatedWords},
    {IDC_SPACE_FINALIZES, CheckOption::SpaceFinalizes},
    {IDC_EXT_B, CheckOption::IncludeExtB},
    {IDC_EXT_CD, CheckOption::IncludeExtCD},
    {IDC_EXT_E, CheckOption::IncludeExtE},
    {IDC_EXT_F, CheckOption::IncludeExtF},
    {IDC_PHRASE_INPUT, CheckOption::EnablePhraseInput},
    {IDC_WARNING_BEEP, CheckOption::WarningBeep},
    {IDC_SHOW_READING, CheckOption::ShowReading},
    {IDC_CUE_SPECIAL_CODE, CheckOption::CueSpecialCode},
    {IDC_ALPHANUMERIC, CheckOption::DefaultAlphanumeric},
};

// Each radio group's buttons in the order of its enumeration.
constexpr int ShiftControls[] = {IDC_ANY_SHIFT, IDC_LEFT_SHIFT, IDC_RIGHT_SHIFT};
constexpr int PhraseSourceControls[] = {IDC_BUILT_IN_PHRASES, IDC_USER_PHRASES, IDC_BOTH_PHRASES};

struct LetterCommand {
    int commandId;
    char letter;
};

constexpr LetterCommand LetterCommands[] = {
    {ID_KEY_PROMPT_TIPS, 'A'},     {ID_KEY_SPACE_FINALIZES, 'S'}, {ID_KEY_EXT_B, 'B'},
    {ID_KEY_EXT_CD, 'C'},          {ID_KEY_PHRASE_INPUT, 'P'},    {ID_KEY_WARNING_BEEP, 'W'},
    {ID_KEY_SHOW_READING, 'Q'},    {ID_KEY_ANY_SHIFT, 'X'},       {ID_KEY_LEFT_SHIFT, 'L'},
    {ID_KEY_RIGHT_SHIFT, 'R'},     {ID_KEY_CUE_SPECIAL_CODE, 'U'}, {ID_KEY_ALPHANUMERIC, 'N'},
    {ID_KEY_BUILT_IN_PHRASES, 'I'}, {ID_KEY_USER_PHRASES, 'D'},   {ID_KEY_BOTH_PHRASES, 'T'},
    {ID_KEY_PHRASE_TOOL, 'V'},     {ID_KEY_EXT_E, 'E'},           {ID_KEY_EXT_F, 'F'},
};

std::optional<CheckOption> CheckOptionOf(int controlId) {
    for (const CheckControl& control : CheckControls) {
        if (control.id == controlId) return control.option;
    }
    return std::nullopt;
}

int CheckControlOf(CheckOption option) {
    for (const CheckControl& control : CheckControls) {
        if (control.option == option) return control.id;
    }
    return 0;
}

// The member of a group whose button has this id.
template <class Member>
std::optional<Member> GroupMemberOf(const int (&controls)[3], int controlId) {
    for (int member = 0; member < 3; ++member) {
        if (controls[member] == controlId) return static_cast<Member>(member);
    }
    return std::nullopt;
}

std::optional<char> LetterOf(int commandId) {
    for (const LetterCommand& command : LetterCommands) {
        if (command.commandId == commandId) return command.letter;
    }
    return std::nullopt;
}

bool IsClassName(HWND window, const wchar_t* name) {
    wchar_t className[32]{};
    GetClassNameW(window, className, 32);
    return lstrcmpiW(className, name) == 0;
}

}  // namespace

CConfigureBox::CConfigureBox(HINSTANCE instance)
    : instance_(instance), record_(DefaultSettings()), pageBrush_(GetSysColorBrush(COLOR_WINDOW)) {}

INT_PTR CConfigureBox::Run(HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    letterKeys_ = CLetterKeyHook::Install(instance_, IDR_LETTER_KEYS);
    const INT_PTR result = RunModal(instance_, IDD_CONFIGURE, owner);
    letterKeys_.reset();  // also when the dialog could not be made
    return result;
}

INT_PTR CConfigureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_TABS && header->code == TCN_SELCHANGE) {
            ShowPage(PageOfTab(TabCtrl_GetCurSel(header->hwndFrom)));
            return TRUE;
        }
        return FALSE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return OnControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED:
        if (!CurrentWindowsVersion().IsWindows8Point1OrLater()) return FALSE;
        announcedDpi_ = LOWORD(wParam);
        OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    default:
        return CDialog::HandleMessage(message, wParam, lParam);
    }
}

void CConfigureBox::OnFinalMessage() {
    font_.reset();
    preview_.reset();
    smallIcon_.reset();
    bigIcon_.reset();
    letterKeys_.reset();
}

void CConfigureBox::OnInitDialog() {
    if (letterKeys_) letterKeys_->SetTarget(Window());
    EnableNonClientScalingIfNeeded(Window());
    LoadDialogIcons(Window(), instance_, IDI_VANTIX, BaseDpi, DialogDpiRule::DeviceContext, smallIcon_, bigIcon_);
    SetWindowTextW(Window(), LoadUiString(IDS_CONFIGURE_CAPTION).c_str());
    general_.Create(instance_, Window());
    advanced_.Create(instance_, Window());
    keyboard_.Create(instance_, Window());
    LoadSettings(record_);  // the defaults stay when there is nothing to read
    Layout(true);
    CentreWindow(Window());
}

bool CConfigureBox::OnCommand(int id, int code) {
    switch (id) {
    case IDOK:
        OnOk();
        return true;
    case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        return true;
    case IDC_PHRASE_TOOL:
        if (code == BN_CLICKED) StartPhraseTool();
        return true;
    case IDC_FONT_SIZE:
    case IDC_KEYBOARD_LAYOUT:
        if (code == CBN_SELCHANGE) OnListChanged(id);
        return true;
    default:
        break;
    }
    if (const std::optional<char> letter = LetterOf(id)) {
        OnLetterKey(*letter);
        return true;
    }
    if (code != BN_CLICKED) return true;
    if (const std::optional<CheckOption> option = CheckOptionOf(id)) {
        OnCheckClicked(*option);
    } else if (const auto shift = GroupMemberOf<ShiftToggle>(ShiftControls, id)) {
        OnShiftClicked(*shift);
    } else if (const auto source = GroupMemberOf<PhraseSource>(PhraseSourceControls, id)) {
        OnPhraseSourceClicked(*source);
    }
    return true;
}

void CConfigureBox::OnDpiChanged(const RECT& suggested) {
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout(false);
    // The layout sized the window anew; it stays where the system put it.
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LoadDialogIcons(Window(), instance_, IDI_VANTIX, dpi_, DialogDpiRule::Monitor, smallIcon_, bigIcon_);
}

// The pages are painted in the window colour, and their texts, check boxes and radio buttons
// draw on it; the frame keeps the dialog colour.
INT_PTR CConfigureBox::OnControlColour(UINT message, HDC dc, HWND control) {
    if (message == WM_CTLCOLORDLG) {
        return control != Window() ? reinterpret_cast<INT_PTR>(pageBrush_) : FALSE;
    }
    if (GetParent(control) == Window() || !(IsClassName(control, L"Static") || IsClassName(control, L"Button"))) {
        return FALSE;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<INT_PTR>(pageBrush_);
}

void CConfigureBox::ShowPage(SettingsPage page) {
    shownPage_ = page;
    ShowWindow(general_.Window(), page == SettingsPage::General ? SW_SHOW : SW_HIDE);
    ShowWindow(advanced_.Window(), page == SettingsPage::Advanced ? SW_SHOW : SW_HIDE);
    ShowWindow(keyboard_.Window(), page == SettingsPage::Keyboard ? SW_SHOW : SW_HIDE);
}

void CConfigureBox::ShowRecord() {
    for (const CheckControl& control : CheckControls) {
        SetMark(control.id, FieldOf(record_, control.option));
    }
    ShowGroupMarks();
    ShowEnabling();
}

void CConfigureBox::ShowGroupMarks() {
    const auto shownShift = static_cast<int>(ShownShiftToggle(record_));
    const auto shownSource = static_cast<int>(ShownPhraseSource(record_));
    for (int member = 0; member < 3; ++member) {
        SetMark(ShiftControls[member], member == shownShift);
        SetMark(PhraseSourceControls[member], member == shownSource);
    }
}

// Disabled controls keep their fields: they are written back as they are.
void CConfigureBox::ShowEnabling() {
    EnableWindow(Control(IDC_SPACE_FINALIZES), SpaceFinalizesEnabled(record_));
    for (const int id : PhraseSourceControls) {
        EnableWindow(Control(id), PhraseSourcesEnabled(record_));
    }
}

void CConfigureBox::OnCheckClicked(CheckOption option) {
    FlipOption(record_, option);
    SetMark(CheckControlOf(option), FieldOf(record_, option));
    ShowEnabling();
}

void CConfigureBox::OnShiftClicked(ShiftToggle choice) {
    ChooseShiftToggle(record_, choice);
    ShowGroupMarks();
}

void CConfigureBox::OnPhraseSourceClicked(PhraseSource choice) {
    ChoosePhraseSource(record_, choice);
    ShowGroupMarks();
}

void CConfigureBox::OnListChanged(int listId) {
    const auto selected = static_cast<int>(SendMessageW(Control(listId), CB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    std::int32_t& field = listId == IDC_FONT_SIZE ? record_.candidateFontSize : record_.keyboardLayout;
    if (selected == field) return;
    field = selected;
    if (listId == IDC_KEYBOARD_LAYOUT) ShowPreview();
}

void CConfigureBox::OnLetterKey(char letter) {
    const std::optional<LetterKeyAction> action = LetterKeyActionFor(letter, shownPage_, record_);
    if (!action) return;
    if (const auto* option = std::get_if<CheckOption>(&*action)) {
        OnCheckClicked(*option);
    } else if (const auto* shift = std::get_if<ShiftToggle>(&*action)) {
        OnShiftClicked(*shift);
    } else if (const auto* source = std::get_if<PhraseSource>(&*action)) {
        OnPhraseSourceClicked(*source);
    } else {
        StartPhraseTool();
    }
}

// The dialog closes as after a good save when the file could not be written: there is nothing
// the user could do about it here.
void CConfigureBox::OnOk() {
    SaveSettings(PackSettings(record_));
    EndDialog(Window(), IDOK);
}

HWND CConfigureBox::Control(int id) const {
    for (const HWND parent : {Window(), general_.Window(), advanced_.Window(), keyboard_.Window()}) {
        if (!parent) continue;
        if (const HWND control = GetDlgItem(parent, id)) return control;
    }
    return nullptr;
}

void CConfigureBox::SetMark(int id, bool on) const {
    SendMessageW(Control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}
