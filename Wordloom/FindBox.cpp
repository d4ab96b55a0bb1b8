#include "FindBox.h"

#include "DialogWindow.h"
#include "EditFields.h"
#include "FindLayout.h"
#include "ListViewSelection.h"
#include "Localization.h"
#include "MainWindow.h"
#include "Ordering.h"
#include "UiStrings.h"
#include "WideText.h"
#include "res/resource.h"

#include <commctrl.h>

#include <optional>
#include <string>

CFindBox::CFindBox(HINSTANCE instance, CMainWindow& owner, bool tipsMode)
    : instance_(instance), owner_(owner), tipsMode_(tipsMode),
      letterKeys_(CLetterKeyHook::Install(instance, IDR_FIND_ACCEL)) {}

INT_PTR CFindBox::Run(HWND parent) {
    const INT_PTR result = RunModal(instance_, IDD_FIND, parent);
    letterKeys_.reset();  // also when the dialog could not be made
    return result;
}

INT_PTR CFindBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) balloon_.Hide();
    return CDialog::HandleMessage(message, wParam, lParam);
}

// The controls are gone: their handles are forgotten, their font and the letter keys can go.
void CFindBox::OnFinalMessage() {
    findWhat_ = findNext_ = markAll_ = nullptr;
    font_.reset();
    letterKeys_.reset();
}

void CFindBox::OnInitDialog() {
    findWhat_ = GetDlgItem(Window(), IDC_FIND_WHAT);
    findNext_ = GetDlgItem(Window(), IDC_FIND_NEXT);
    markAll_ = GetDlgItem(Window(), IDC_MARK_ALL);
    if (letterKeys_) {
        letterKeys_->SetTarget(Window());
        letterKeys_->SetTypingField(findWhat_);
    }
    SetWindowTextW(Window(), LoadUiString(IDS_FIND_CAPTION).c_str());
    Layout();
    // Whole phrases mean nothing for single characters.
    if (tipsMode_) EnableWindow(GetDlgItem(Window(), IDC_MATCH_WHOLE), FALSE);
    CheckRadioButton(Window(), IDC_SEARCH_UP, IDC_SEARCH_DOWN, IDC_SEARCH_DOWN);
    EnableActions();
    CentreWindow(Window());
}

void CFindBox::Layout() {
    const auto [label, matchWhole, direction, up, down, findNext, markAll, cancel] =
        LoadUiStrings({IDS_FIND_WHAT, IDS_MATCH_WHOLE, IDS_DIRECTION, IDS_SEARCH_UP,
                       IDS_SEARCH_DOWN, IDS_FIND_NEXT, IDS_MARK_ALL, IDS_CANCEL});

    DialogMeasure measure(Window(), DialogDpiRule::DeviceContext);
    std::optional<FindMeasurements> measured;
    if (measure.HasDeviceContext()) {
        measured = FindMeasurements{measure.Dpi(), measure.TextHeight(),
                                    GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE),
                                    measure.Extent(label), measure.Extent(matchWhole),
                                    measure.Extent(up), measure.Extent(down)};
    }
    const FindLayout layout = FindLayoutFor(measured);
    const int dpi = measure.Dpi();
    font_ = measure.TakeFont();

    const Size client = ResizeDialogClient(Window(), layout.clientSize, dpi, DialogDpiRule::DeviceContext);
    const FindPlacement placement = PlaceFindControls(layout, client);
    const HFONT font = font_.get();
    PlaceDialogControl(Window(), IDC_FIND_NEXT, placement.findNext, font, &findNext);
    PlaceDialogControl(Window(), IDC_MARK_ALL, placement.markAll, font, &markAll);
    PlaceDialogControl(Window(), IDCANCEL, placement.cancel, font, &cancel);
    PlaceDialogControl(Window(), IDC_FIND_WHAT_LABEL, placement.label, font, &label);
    PlaceDialogControl(Window(), IDC_FIND_WHAT, placement.findWhat, font);
    PlaceDialogControl(Window(), IDC_MATCH_WHOLE, placement.matchWhole, font, &matchWhole);
    PlaceDialogControl(Window(), IDC_DIRECTION, placement.direction, font, &direction);
    PlaceDialogControl(Window(), IDC_SEARCH_UP, placement.up, font, &up);
    PlaceDialogControl(Window(), IDC_SEARCH_DOWN, placement.down, font, &down);
}

bool CFindBox::OnCommand(int id, int code) {
    switch (id) {
    case IDC_FIND_WHAT:
        if (code == EN_CHANGE) EnableActions();
        break;
    case IDC_MATCH_WHOLE:
        if (code == BN_CLICKED) matchWhole_ = IsDlgButtonChecked(Window(), IDC_MATCH_WHOLE) == BST_CHECKED;
        break;
    case IDC_SEARCH_UP:
    case IDC_SEARCH_DOWN:
        if (code == BN_CLICKED) searchUp_ = id == IDC_SEARCH_UP;
        break;
    case IDC_FIND_NEXT:
        Search(false);
        break;
    case IDC_MARK_ALL:
        if (!tipsMode_) Search(true);
        break;
    case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        break;
    default:
        OnLetterKey(id);
        break;
    }
    return true;
}

// A letter pressed in the find-what box is text; the hook leaves it to the box, and a key
// command that reaches the dialog while the box has the focus does nothing either.
void CFindBox::OnLetterKey(int id) {
    if (GetFocus() == findWhat_) return;
    switch (id) {
    case ID_FIND_KEY_NEXT:
        Search(false);
        break;
    case ID_FIND_KEY_MARK_ALL:
        if (!tipsMode_) Search(true);
        break;
    case ID_FIND_KEY_WHAT:
        SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(findWhat_), TRUE);
        break;
    case ID_FIND_KEY_WHOLE:
        if (tipsMode_) break;  // the box is disabled there
        matchWhole_ = !matchWhole_;
        CheckDlgButton(Window(), IDC_MATCH_WHOLE, matchWhole_ ? BST_CHECKED : BST_UNCHECKED);
        break;
    case ID_FIND_KEY_UP:
    case ID_FIND_KEY_DOWN:
        searchUp_ = id == ID_FIND_KEY_UP;
        CheckRadioButton(Window(), IDC_SEARCH_UP, IDC_SEARCH_DOWN, searchUp_ ? IDC_SEARCH_UP : IDC_SEARCH_DOWN);
        break;
    default:
        break;
    }
}

void CFindBox::EnableActions() {
    const bool hasText = GetWindowTextLengthW(findWhat_) > 0;
    // A disabled button cannot keep the focus.
    if (!hasText && (GetFocus() == findNext_ || GetFocus() == markAll_)) {
        SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(findWhat_), TRUE);
    }
    EnableWindow(findNext_, hasText);
    EnableWindow(markAll_, hasText && !tipsMode_);
}

void CFindBox::Search(bool markAll) {
    const std::u16string text = FieldText(findWhat_);
    if (text.empty()) return;
    // The search runs on a copy of the selection, which the list then takes in one go.
    const HWND list = tipsMode_ ? owner_.TipList() : owner_.PhraseList();
    const int anchor = tipsMode_ ? owner_.FocusedTip() : owner_.FocusedPhrase();
    // Over the rows the list shows: a filtered list is searched among its own rows.
    const RowView& view = tipsMode_ ? owner_.TipView() : owner_.PhraseView();
    const int rows = static_cast<int>(view.Size(tipsMode_ ? owner_.Tips().table.size() : owner_.Phrases().table.size()));
    SelectionSnapshot copy = CopySelection(list, anchor, rows);
    const bool found = tipsMode_
        ? FindTip(owner_.Tips().table, view, text, searchUp_, copy)
        : FindPhrase(owner_.Phrases().table, view, text, matchWhole_, searchUp_, markAll, copy);
    ApplySelection(list, copy);
    if (found) {
        balloon_.Hide();
        return;
    }
    // The text goes into the message as it was typed: it is never read as a format.
    balloon_.Show(findWhat_, LoadUiString(IDS_NOT_FOUND_TITLE),
                  FormatWithText(LoadUiString(IDS_NOT_FOUND_TEXT), Wide(text)), TTI_INFO_LARGE);
    MessageBeep(MB_ICONASTERISK);
}
