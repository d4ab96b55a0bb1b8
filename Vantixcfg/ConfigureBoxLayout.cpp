// The configure dialog's layout pass: measure the texts in the dialog font at the monitor's
// DPI, size the frame around the tab control and place every control of the three pages.
#include "ConfigureBox.h"

#include "DialogWindow.h"
#include "LayoutPreview.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The texts of every check box and radio button: the widest sets the width of all of them.
constexpr unsigned CheckTexts[] = {
    IDS_PROMPT_TIPS, IDS_SPACE_FINALIZES, IDS_EXT_B,        IDS_EXT_CD,           IDS_EXT_E,
    IDS_EXT_F,       IDS_PHRASE_INPUT,    IDS_WARNING_BEEP, IDS_SHOW_READING,     IDS_ANY_SHIFT,
    IDS_LEFT_SHIFT,  IDS_RIGHT_SHIFT,     IDS_CUE_SPECIAL_CODE, IDS_ALPHANUMERIC, IDS_BUILT_IN_PHRASES,
    IDS_USER_PHRASES, IDS_BOTH_PHRASES,
};

constexpr unsigned TabTexts[] = {IDS_TAB_GENERAL, IDS_TAB_ADVANCED, IDS_TAB_KEYBOARD};
constexpr unsigned FontSizeNames[] = {IDS_FONT_NORMAL, IDS_FONT_LARGE, IDS_FONT_EXTRA_LARGE};
constexpr unsigned LayoutNames[] = {IDS_LAYOUT_QWERTY, IDS_LAYOUT_DVORAK, IDS_LAYOUT_DVORAK_RIGHT,
                                    IDS_LAYOUT_DVORAK_LEFT};

ConfigureMeasurements Measure(const DialogMeasure& measure) {
    auto extent = [&](unsigned stringId) { return measure.Extent(LoadUiString(stringId)); };
    std::vector<std::optional<Size>> checkTexts;
    for (const unsigned stringId : CheckTexts) checkTexts.push_back(extent(stringId));

    ConfigureMeasurements measured;
    measured.dpi = measure.Dpi();
    measured.widestCheckText = WidestExtent(checkTexts);
    measured.phraseToolButtonText = extent(IDS_PHRASE_TOOL);
    measured.generalHeading = extent(IDS_GENERAL_HEADING);
    measured.outputHeading = extent(IDS_OUTPUT_HEADING);
    measured.advancedHeading = extent(IDS_ADVANCED_HEADING);
    measured.keyboardHeading = extent(IDS_KEYBOARD_HEADING);
    measured.fontLabel = extent(IDS_FONT_LABEL);
    measured.widestLayoutName = extent(IDS_LAYOUT_DVORAK_RIGHT);
    measured.widestFontSizeName = extent(IDS_FONT_EXTRA_LARGE);
    return measured;
}

Rect FromRECT(const RECT& rect) {
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

// Places the controls of one window, giving each its text on the first pass only.
class ControlPlacer {
public:
    ControlPlacer(HWND parent, HFONT font, bool withTexts) : parent_(parent), font_(font), withTexts_(withTexts) {}

    void Place(int id, const Rect& rect, unsigned stringId = 0) const {
        if (withTexts_ && stringId != 0) {
            const std::wstring text = LoadUiString(stringId);
            PlaceDialogControl(parent_, id, rect, font_, &text);
        } else {
            PlaceDialogControl(parent_, id, rect, font_);
        }
    }

    void Place(int headingId, int lineId, const HeadingPlacement& placed, unsigned stringId) const {
        Place(headingId, placed.heading, stringId);
        Place(lineId, placed.line);
    }

    // A drop-down list: its closed field made as tall as the rectangle, the window tall enough
    // to drop every item below it.
    void PlaceList(int id, const Rect& rect) const {
        const HWND list = GetDlgItem(parent_, id);
        if (!list) return;
        SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        const auto itemHeight = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
        const auto items = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        const int dropped = std::max(items, 1) * std::max(itemHeight, 1) + 2 * GetSystemMetrics(SM_CYEDGE);
        MoveWindow(list, rect.left, rect.top, rect.Width(), rect.Height() + dropped, TRUE);
        // The closed height is the selection field's plus borders the system decides: set the
        // field once to learn them, then to the height that leaves the window as tall as wanted.
        // (Measured rather than read back: Wine reports the field 2 pixels taller than it was set.)
        const auto field = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        if (field <= 0) return;
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        RECT closed{};
        GetWindowRect(list, &closed);
        const int borders = static_cast<int>(closed.bottom - closed.top) - field;
        if (rect.Height() - borders > 0) {
            SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), rect.Height() - borders);
        }
    }

private:
    HWND parent_;
    HFONT font_;
    bool withTexts_;
};

void FillList(HWND list, std::span<const unsigned> names, int selected) {
    for (const unsigned name : names) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadUiString(name).c_str()));
    }
    // An index the list does not have leaves it without a selection.
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

}  // namespace

void CConfigureBox::FillListsAndTabs() {
    const HWND tabs = Control(IDC_TABS);
    for (int index = 0; index < 3; ++index) {
        std::wstring text = LoadUiString(TabTexts[index]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        TabCtrl_InsertItem(tabs, index, &item);
    }
    FillList(Control(IDC_FONT_SIZE), FontSizeNames, record_.candidateFontSize);
    FillList(Control(IDC_KEYBOARD_LAYOUT), LayoutNames, record_.keyboardLayout);
}

void CConfigureBox::ShowPreview() {
    UniqueBitmap picture = LoadLayoutPreview(instance_, record_.keyboardLayout, previewSize_);
    SendMessageW(Control(IDC_LAYOUT_PREVIEW), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    preview_ = std::move(picture);  // the control no longer shows the previous one
}

void CConfigureBox::Layout(bool firstPass) {
    DialogMeasure measure(Window(), DialogDpiRule::Monitor, announcedDpi_);
    dpi_ = measure.Dpi();
    std::optional<ConfigureMeasurements> measured;
    if (measure.HasDeviceContext()) measured = Measure(measure);
    const ConfigureLayout layout = ConfigureLayoutFor(measured, CheckMarkBox(dpi_));
    // The old font stays alive until every control has the new one.
    UniqueFont font = measure.TakeFont();
    const HFONT dialogFont = font.get();

    // The tab row's height depends on the font and the items.
    const HWND tabs = Control(IDC_TABS);
    SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), FALSE);
    if (firstPass) FillListsAndTabs();
    RECT tabWindow{0, 0, layout.page.cx, layout.page.cy};
    TabCtrl_AdjustRect(tabs, TRUE, &tabWindow);
    const Rect grown = FromRECT(tabWindow);

    const Size client =
        ResizeDialogClient(Window(), ConfigureClientSize(layout, grown), dpi_, DialogDpiRule::Monitor);
    const ConfigureFramePlacement frame = PlaceConfigureFrame(layout, grown, client);
    const ControlPlacer onFrame(Window(), dialogFont, firstPass);
    onFrame.Place(IDC_TABS, frame.tabs);
    onFrame.Place(IDC_PHRASE_TOOL, frame.phraseToolButton, IDS_PHRASE_TOOL);
    onFrame.Place(IDOK, frame.okButton, IDS_OK);
    onFrame.Place(IDCANCEL, frame.cancelButton, IDS_CANCEL);
    for (const CConfigurePage* page : {static_cast<const CConfigurePage*>(&keyboard_),
                                       static_cast<const CConfigurePage*>(&advanced_),
                                       static_cast<const CConfigurePage*>(&general_)}) {
        // Right after the tab control in the Tab key's order, before the buttons.
        const UINT order = firstPass ? 0 : SWP_NOZORDER;
        SetWindowPos(page->Window(), tabs, frame.pages.left, frame.pages.top, frame.pages.Width(),
                     frame.pages.Height(), order | SWP_NOACTIVATE);
    }

    const GeneralPagePlacement general = PlaceGeneralPage(layout);
    const ControlPlacer onGeneral(general_.Window(), dialogFont, firstPass);
    onGeneral.Place(IDC_GENERAL_HEADING, IDC_GENERAL_LINE, general.general, IDS_GENERAL_HEADING);
    onGeneral.Place(IDC_ALPHANUMERIC, general.alphanumeric, IDS_ALPHANUMERIC);
    onGeneral.Place(IDC_CUE_SPECIAL_CODE, general.cueSpecialCode, IDS_CUE_SPECIAL_CODE);
    onGeneral.Place(IDC_PROMPT_TIPS, general.promptAssociatedWords, IDS_PROMPT_TIPS);
    onGeneral.Place(IDC_SPACE_FINALIZES, general.spaceFinalizes, IDS_SPACE_FINALIZES);
    onGeneral.Place(IDC_FONT_HINT, general.fontHint, IDS_FONT_HINT);
    onGeneral.Place(IDC_FONT_LABEL, general.fontLabel, IDS_FONT_LABEL);
    onGeneral.PlaceList(IDC_FONT_SIZE, general.fontSize);
    onGeneral.Place(IDC_OUTPUT_HEADING, IDC_OUTPUT_LINE, general.output, IDS_OUTPUT_HEADING);
    onGeneral.Place(IDC_UNICODE_GROUP, general.unicodeGroup, IDS_UNICODE_GROUP);
    onGeneral.Place(IDC_EXT_B, general.extB, IDS_EXT_B);
    onGeneral.Place(IDC_EXT_CD, general.extCD, IDS_EXT_CD);
    onGeneral.Place(IDC_EXT_E, general.extE, IDS_EXT_E);
    onGeneral.Place(IDC_EXT_F, general.extF, IDS_EXT_F);

    const AdvancedPagePlacement advanced = PlaceAdvancedPage(layout);
    const ControlPlacer onAdvanced(advanced_.Window(), dialogFont, firstPass);
    onAdvanced.Place(IDC_ADVANCED_HEADING, IDC_ADVANCED_LINE, advanced.settings, IDS_ADVANCED_HEADING);
    onAdvanced.Place(IDC_SHIFT_GROUP, advanced.shiftGroup, IDS_SHIFT_GROUP);
    onAdvanced.Place(IDC_ANY_SHIFT, advanced.anyShift, IDS_ANY_SHIFT);
    onAdvanced.Place(IDC_LEFT_SHIFT, advanced.leftShift, IDS_LEFT_SHIFT);
    onAdvanced.Place(IDC_RIGHT_SHIFT, advanced.rightShift, IDS_RIGHT_SHIFT);
    onAdvanced.Place(IDC_SHOW_READING, advanced.showReading, IDS_SHOW_READING);
    onAdvanced.Place(IDC_PHRASE_INPUT, advanced.phraseInput, IDS_PHRASE_INPUT);
    onAdvanced.Place(IDC_PHRASE_SOURCE_GROUP, advanced.phraseSourceGroup);
    onAdvanced.Place(IDC_BUILT_IN_PHRASES, advanced.builtInPhrases, IDS_BUILT_IN_PHRASES);
    onAdvanced.Place(IDC_USER_PHRASES, advanced.userPhrases, IDS_USER_PHRASES);
    onAdvanced.Place(IDC_BOTH_PHRASES, advanced.bothPhrases, IDS_BOTH_PHRASES);
    onAdvanced.Place(IDC_WARNING_BEEP, advanced.warningBeep, IDS_WARNING_BEEP);

    const KeyboardPagePlacement keyboard = PlaceKeyboardPage(layout);
    const ControlPlacer onKeyboard(keyboard_.Window(), dialogFont, firstPass);
    onKeyboard.Place(IDC_KEYBOARD_HEADING, IDC_KEYBOARD_LINE, keyboard.keyboard, IDS_KEYBOARD_HEADING);
    onKeyboard.Place(IDC_KEYBOARD_HINT, keyboard.hint, IDS_KEYBOARD_HINT);
    onKeyboard.PlaceList(IDC_KEYBOARD_LAYOUT, keyboard.layoutList);
    onKeyboard.Place(IDC_LAYOUT_PREVIEW, keyboard.preview);
    previewSize_ = Size{keyboard.preview.Width(), keyboard.preview.Height()};

    font_ = std::move(font);
    ShowRecord();
    ShowPreview();
    if (firstPass) {
        TabCtrl_SetCurSel(tabs, 0);
        ShowPage(SettingsPage::General);
    }
}
