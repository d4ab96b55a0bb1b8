// The real configure dialog driven inside its own modal loop: what it shows for the stored
// settings, what clicks, lists, tabs and letter keys do to them, and what OK and Cancel write.
#include "ConfigureLayout.h"
#include "LayoutPreview.h"
#include "DialogDriver.h"
#include "DisplayMetrics.h"
#include "SettingsTestSupport.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr int CheckBoxes[] = {
    IDC_PROMPT_TIPS,  IDC_SPACE_FINALIZES, IDC_EXT_B,        IDC_EXT_CD,         IDC_EXT_E,           IDC_EXT_F,
    IDC_PHRASE_INPUT, IDC_WARNING_BEEP,    IDC_SHOW_READING, IDC_CUE_SPECIAL_CODE, IDC_ALPHANUMERIC,
};

// The bit each check box owns in the stored word.
SettingsWord BitOf(int checkBox) {
    switch (checkBox) {
    case IDC_PROMPT_TIPS: return 1u << 0;
    case IDC_SPACE_FINALIZES: return 1u << 1;
    case IDC_EXT_B: return 1u << 2;
    case IDC_EXT_CD: return 1u << 3;
    case IDC_PHRASE_INPUT: return 1u << 4;
    case IDC_WARNING_BEEP: return 1u << 5;
    case IDC_SHOW_READING: return 1u << 6;
    case IDC_CUE_SPECIAL_CODE: return 1u << 10;
    case IDC_ALPHANUMERIC: return 1u << 11;
    case IDC_EXT_E: return 1u << 18;
    case IDC_EXT_F: return 1u << 19;
    default: return 0;
    }
}

constexpr SettingsWord AnyShift = 1u << 7, LeftShift = 1u << 8, RightShift = 1u << 9;
constexpr SettingsWord BuiltIn = 1u << 12, UserPhrases = 1u << 13, BothPhrases = 1u << 14;
constexpr SettingsWord PhraseInput = 1u << 4;

bool ShowsPictureOf(HWND frame, int keyboardLayout) {
    BITMAP shown{};
    if (!GetObjectW(ShownPicture(frame), sizeof(shown), &shown)) return false;
    const UniqueBitmap expected =
        LoadLayoutPreview(GetModuleHandleW(nullptr), keyboardLayout, Size{shown.bmWidth, shown.bmHeight});
    return SamePixels(ShownPicture(frame), expected.get());
}

std::wstring ListText(HWND frame, int listId) {
    const HWND list = FindControl(frame, listId);
    const auto selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selected < 0) return L"(none)";
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, selected, 0)) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    return text;
}

void PressOk(HWND frame) {
    ClickButton(frame, IDOK);
}

void PressCancel(HWND frame) {
    ClickButton(frame, IDCANCEL);
}

class ConfigureBox : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        SetProcessUiLanguage(UiLanguageEnglish);
    }

    // Opens the dialog on a stored word, runs the steps and presses OK; the word written.
    SettingsWord StoredAfterOk(SettingsWord stored, const std::vector<DialogStep>& steps) {
        WriteSettingsFile(BytesOfWord(stored));
        std::vector<DialogStep> all = steps;
        all.push_back(PressOk);
        EXPECT_EQ(RunConfigureBox(all), IDOK);
        const std::optional<std::string> bytes = ReadSettingsFile();
        EXPECT_TRUE(bytes && bytes->size() == 4);
        if (!bytes || bytes->size() != 4) return 0xFFFFFFFF;
        return *WordFromStoredBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), 4));
    }
};

TEST_F(ConfigureBox, ShowsTheDefaultsWhenNothingIsStoredAndOkWritesThem) {
    const INT_PTR result = RunConfigureBox({[](HWND frame) {
        EXPECT_EQ(WindowText(frame), L"New Vantix Settings");
        for (const int id : CheckBoxes) {
            const bool on = id == IDC_PROMPT_TIPS || id == IDC_SPACE_FINALIZES || id == IDC_WARNING_BEEP;
            EXPECT_EQ(IsMarked(frame, id), on) << id;
        }
        EXPECT_TRUE(IsEnabled(frame, IDC_PROMPT_TIPS));
        EXPECT_TRUE(IsEnabled(frame, IDC_SPACE_FINALIZES));
        EXPECT_TRUE(IsMarked(frame, IDC_ANY_SHIFT));
        EXPECT_FALSE(IsMarked(frame, IDC_LEFT_SHIFT));
        EXPECT_FALSE(IsMarked(frame, IDC_RIGHT_SHIFT));
        EXPECT_TRUE(IsMarked(frame, IDC_BUILT_IN_PHRASES));
        EXPECT_FALSE(IsMarked(frame, IDC_USER_PHRASES));
        EXPECT_FALSE(IsMarked(frame, IDC_BOTH_PHRASES));
        for (const int id : {IDC_BUILT_IN_PHRASES, IDC_USER_PHRASES, IDC_BOTH_PHRASES}) {
            EXPECT_FALSE(IsEnabled(frame, id)) << id;
        }
        EXPECT_EQ(ListText(frame, IDC_FONT_SIZE), L"Normal font");
        EXPECT_EQ(ListText(frame, IDC_KEYBOARD_LAYOUT), L"Standard QWERTY");
        EXPECT_TRUE(ShowsPictureOf(frame, 0));
        EXPECT_FALSE(ShowsPictureOf(frame, 3));
        EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(frame, IDC_TABS)), 0);
        EXPECT_TRUE(IsShown(PageOf(frame, IDC_PROMPT_TIPS)));
        EXPECT_FALSE(IsShown(PageOf(frame, IDC_PHRASE_INPUT)));
        EXPECT_FALSE(IsShown(PageOf(frame, IDC_KEYBOARD_LAYOUT)));
        PressOk(frame);
    }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadSettingsFile(), std::string("\xA3\x10\x00\x00", 4));
    // Windows 7 keeps the settings in the file only.
    EXPECT_EQ(RegistrySettingsValue(), RunsOnWindows8OrLater() ? std::optional<DWORD>(0x10A3) : std::nullopt);
}

TEST_F(ConfigureBox, EveryTextInEnglishAndChinese) {
    for (const UiLanguage language : {UiLanguageEnglish, UiLanguageTraditionalChinese}) {
        SetProcessUiLanguage(language);
        RunConfigureBox({[language](HWND frame) {
            EXPECT_EQ(WindowText(frame), LoadUiString(IDS_CONFIGURE_CAPTION));
            const std::pair<int, unsigned> texts[] = {
                {IDC_PHRASE_TOOL, IDS_PHRASE_TOOL}, {IDOK, IDS_OK}, {IDCANCEL, IDS_CANCEL},
                {IDC_GENERAL_HEADING, IDS_GENERAL_HEADING}, {IDC_ALPHANUMERIC, IDS_ALPHANUMERIC},
                {IDC_CUE_SPECIAL_CODE, IDS_CUE_SPECIAL_CODE}, {IDC_PROMPT_TIPS, IDS_PROMPT_TIPS},
                {IDC_SPACE_FINALIZES, IDS_SPACE_FINALIZES}, {IDC_FONT_HINT, IDS_FONT_HINT},
                {IDC_FONT_LABEL, IDS_FONT_LABEL}, {IDC_OUTPUT_HEADING, IDS_OUTPUT_HEADING},
                {IDC_UNICODE_GROUP, IDS_UNICODE_GROUP}, {IDC_EXT_B, IDS_EXT_B}, {IDC_EXT_CD, IDS_EXT_CD},
                {IDC_EXT_E, IDS_EXT_E}, {IDC_EXT_F, IDS_EXT_F}, {IDC_ADVANCED_HEADING, IDS_ADVANCED_HEADING},
                {IDC_SHIFT_GROUP, IDS_SHIFT_GROUP}, {IDC_ANY_SHIFT, IDS_ANY_SHIFT},
                {IDC_LEFT_SHIFT, IDS_LEFT_SHIFT}, {IDC_RIGHT_SHIFT, IDS_RIGHT_SHIFT},
                {IDC_SHOW_READING, IDS_SHOW_READING}, {IDC_PHRASE_INPUT, IDS_PHRASE_INPUT},
                {IDC_BUILT_IN_PHRASES, IDS_BUILT_IN_PHRASES}, {IDC_USER_PHRASES, IDS_USER_PHRASES},
                {IDC_BOTH_PHRASES, IDS_BOTH_PHRASES}, {IDC_WARNING_BEEP, IDS_WARNING_BEEP},
                {IDC_KEYBOARD_HEADING, IDS_KEYBOARD_HEADING}, {IDC_KEYBOARD_HINT, IDS_KEYBOARD_HINT},
            };
            for (const auto& [id, stringId] : texts) {
                const std::wstring expected = LoadUiString(stringId);
                EXPECT_FALSE(expected.empty());
                EXPECT_EQ(WindowText(FindControl(frame, id)), expected) << id << " in " << language;
            }
            EXPECT_EQ(WindowText(FindControl(frame, IDC_PHRASE_SOURCE_GROUP)), L"");

            const HWND tabs = GetDlgItem(frame, IDC_TABS);
            ASSERT_EQ(TabCtrl_GetItemCount(tabs), 3);
            const unsigned tabTexts[] = {IDS_TAB_GENERAL, IDS_TAB_ADVANCED, IDS_TAB_KEYBOARD};
            for (int index = 0; index < 3; ++index) {
                wchar_t text[64]{};
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = text;
                item.cchTextMax = 64;
                TabCtrl_GetItem(tabs, index, &item);
                EXPECT_EQ(std::wstring(text), LoadUiString(tabTexts[index]));
            }
            const auto listItems = [frame](int listId) {
                const HWND list = FindControl(frame, listId);
                std::vector<std::wstring> items;
                for (int index = 0; index < SendMessageW(list, CB_GETCOUNT, 0, 0); ++index) {
                    std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
                    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
                    text.resize(text.size() - 1);
                    items.push_back(text);
                }
                return items;
            };
            EXPECT_EQ(listItems(IDC_FONT_SIZE), (std::vector<std::wstring>{LoadUiString(IDS_FONT_NORMAL),
                                                                           LoadUiString(IDS_FONT_LARGE),
                                                                           LoadUiString(IDS_FONT_EXTRA_LARGE)}));
            EXPECT_EQ(listItems(IDC_KEYBOARD_LAYOUT),
                      (std::vector<std::wstring>{LoadUiString(IDS_LAYOUT_QWERTY), LoadUiString(IDS_LAYOUT_DVORAK),
                                                 LoadUiString(IDS_LAYOUT_DVORAK_RIGHT),
                                                 LoadUiString(IDS_LAYOUT_DVORAK_LEFT)}));
            PressCancel(frame);
        }});
    }
    EXPECT_EQ(ReadSettingsFile(), std::nullopt);
}

TEST_F(ConfigureBox, AThreeByteFileIsIgnored) {
    WriteSettingsFile(std::string("\xFF\xFF\xFF", 3));
    RunConfigureBox({[](HWND frame) {
        EXPECT_TRUE(IsMarked(frame, IDC_PROMPT_TIPS));
        EXPECT_FALSE(IsMarked(frame, IDC_EXT_B));
        EXPECT_FALSE(IsMarked(frame, IDC_SHOW_READING));
        EXPECT_TRUE(IsMarked(frame, IDC_ANY_SHIFT));
        PressOk(frame);
    }});
    EXPECT_EQ(ReadSettingsFile(), BytesOfWord(DefaultSettingsWord));
}

TEST_F(ConfigureBox, AnEightByteFileIsReadFromItsFirstFourBytesAndRewrittenAsFour) {
    const SettingsWord stored = (1u << 2) | (1u << 18) | PhraseInput | UserPhrases | RightShift | (2u << 15);
    WriteSettingsFile(BytesOfWord(stored) + std::string("\x01\x02\x03\x04", 4));
    RunConfigureBox({[](HWND frame) {
        EXPECT_FALSE(IsMarked(frame, IDC_PROMPT_TIPS));
        EXPECT_FALSE(IsEnabled(frame, IDC_SPACE_FINALIZES));
        EXPECT_TRUE(IsMarked(frame, IDC_EXT_B));
        EXPECT_TRUE(IsMarked(frame, IDC_EXT_E));
        EXPECT_TRUE(IsMarked(frame, IDC_PHRASE_INPUT));
        EXPECT_TRUE(IsMarked(frame, IDC_RIGHT_SHIFT));
        EXPECT_TRUE(IsMarked(frame, IDC_USER_PHRASES));
        EXPECT_TRUE(IsEnabled(frame, IDC_USER_PHRASES));
        EXPECT_EQ(ListText(frame, IDC_KEYBOARD_LAYOUT), L"Dvorak for the right hand");
        EXPECT_TRUE(ShowsPictureOf(frame, 2));
        PressOk(frame);
    }});
    EXPECT_EQ(ReadSettingsFile(), BytesOfWord(stored));
}

TEST_F(ConfigureBox, BitsAboveTwentyOneAreDroppedOnOk) {
    EXPECT_EQ(StoredAfterOk(0xFFC010A3u, {}), 0x10A3u);
}

TEST_F(ConfigureBox, LayoutFiveAndFontSizeThreeLeaveTheListsEmptyAndAreKept) {
    const SettingsWord stored = DefaultSettingsWord | (5u << 15) | (3u << 20);
    EXPECT_EQ(StoredAfterOk(stored, {[](HWND frame) {
                  EXPECT_EQ(SendMessageW(FindControl(frame, IDC_KEYBOARD_LAYOUT), CB_GETCURSEL, 0, 0), CB_ERR);
                  EXPECT_EQ(SendMessageW(FindControl(frame, IDC_FONT_SIZE), CB_GETCURSEL, 0, 0), CB_ERR);
                  EXPECT_TRUE(ShowsPictureOf(frame, 0));
              }}),
              stored);
}

TEST_F(ConfigureBox, SeveralBitsOfAGroupShowByPriorityAndAreKept) {
    const SettingsWord stored = LeftShift | RightShift | BuiltIn | BothPhrases | PhraseInput;
    EXPECT_EQ(StoredAfterOk(stored, {[](HWND frame) {
                  EXPECT_FALSE(IsMarked(frame, IDC_ANY_SHIFT));
                  EXPECT_TRUE(IsMarked(frame, IDC_LEFT_SHIFT));
                  EXPECT_FALSE(IsMarked(frame, IDC_RIGHT_SHIFT));
                  EXPECT_FALSE(IsMarked(frame, IDC_BUILT_IN_PHRASES));
                  EXPECT_TRUE(IsMarked(frame, IDC_BOTH_PHRASES));
                  // A click on the member shown changes nothing.
                  ClickButton(frame, IDC_LEFT_SHIFT);
              }}),
              stored);
}

TEST_F(ConfigureBox, ClicksFlipEveryCheckBoxAndFollowTheEnablingRules) {
    SettingsWord expected = DefaultSettingsWord;
    for (const int id : CheckBoxes) expected ^= BitOf(id);
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord,
                            {[](HWND frame) {
                                // The space key option first: it is disabled once associated words are off.
                                for (const int id : CheckBoxes) ClickButton(frame, id);
                                EXPECT_FALSE(IsMarked(frame, IDC_PROMPT_TIPS));
                                EXPECT_FALSE(IsEnabled(frame, IDC_SPACE_FINALIZES));
                                EXPECT_FALSE(IsMarked(frame, IDC_SPACE_FINALIZES));
                                EXPECT_TRUE(IsMarked(frame, IDC_PHRASE_INPUT));
                                for (const int id : {IDC_BUILT_IN_PHRASES, IDC_USER_PHRASES, IDC_BOTH_PHRASES}) {
                                    EXPECT_TRUE(IsEnabled(frame, id)) << id;
                                }
                                for (const int id : CheckBoxes) {
                                    const bool on = (BitOf(id) & DefaultSettingsWord) == 0;
                                    EXPECT_EQ(IsMarked(frame, id), on) << id;
                                }
                            }}),
              expected);
}

TEST_F(ConfigureBox, RadioClicksChooseOneMemberAndDisablingKeepsTheSource) {
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord,
                            {[](HWND frame) {
                                ClickButton(frame, IDC_RIGHT_SHIFT);
                                ClickButton(frame, IDC_PHRASE_INPUT);
                                ClickButton(frame, IDC_USER_PHRASES);
                                EXPECT_TRUE(IsMarked(frame, IDC_USER_PHRASES));
                                EXPECT_FALSE(IsMarked(frame, IDC_BUILT_IN_PHRASES));
                                ClickButton(frame, IDC_PHRASE_INPUT);  // off again: the choice stays
                                EXPECT_FALSE(IsEnabled(frame, IDC_USER_PHRASES));
                                EXPECT_TRUE(IsMarked(frame, IDC_USER_PHRASES));
                            }}),
              (DefaultSettingsWord & ~(AnyShift | BuiltIn)) | RightShift | UserPhrases);
}

TEST_F(ConfigureBox, LeftHandLayoutShowsPicture146AtOnceAndCancelLeavesTheFile) {
    const SettingsWord stored = DefaultSettingsWord | (1u << 15);
    WriteSettingsFile(BytesOfWord(stored));
    const INT_PTR result = RunConfigureBox({
        [](HWND frame) { ClickTab(frame, 2); },
        [](HWND frame) {
            EXPECT_TRUE(IsShown(PageOf(frame, IDC_KEYBOARD_LAYOUT)));
            SelectListItem(frame, IDC_KEYBOARD_LAYOUT, 3);
            EXPECT_EQ(PreviewBitmapId(3), 146);
            EXPECT_TRUE(ShowsPictureOf(frame, 3));
            EXPECT_FALSE(ShowsPictureOf(frame, 1));
            PressCancel(frame);
        },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadSettingsFile(), BytesOfWord(stored));
    EXPECT_EQ(RegistrySettingsValue(), std::nullopt);
}

TEST_F(ConfigureBox, ThePictureIsReloadedOnlyOnARealChange) {
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord,
                            {[](HWND frame) {
                                const HBITMAP first = ShownPicture(frame);
                                SelectListItem(frame, IDC_KEYBOARD_LAYOUT, 0);  // the index already stored
                                EXPECT_EQ(ShownPicture(frame), first);
                                SelectListItem(frame, IDC_KEYBOARD_LAYOUT, -1);  // no selection
                                EXPECT_EQ(ShownPicture(frame), first);
                                SelectListItem(frame, IDC_FONT_SIZE, -1);
                                SelectListItem(frame, IDC_KEYBOARD_LAYOUT, 2);
                                EXPECT_NE(ShownPicture(frame), first);
                                EXPECT_TRUE(ShowsPictureOf(frame, 2));
                            }}),
              DefaultSettingsWord | (2u << 15));
}

TEST_F(ConfigureBox, TabsShowOnePageAtATime) {
    RunConfigureBox({
        [](HWND frame) { ClickTab(frame, 1); },
        [](HWND frame) {
            EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(frame, IDC_TABS)), 1);
            EXPECT_FALSE(IsShown(PageOf(frame, IDC_PROMPT_TIPS)));
            EXPECT_TRUE(IsShown(PageOf(frame, IDC_PHRASE_INPUT)));
            EXPECT_FALSE(IsShown(PageOf(frame, IDC_KEYBOARD_LAYOUT)));
            ClickTab(frame, 2);
        },
        [](HWND frame) {
            EXPECT_FALSE(IsShown(PageOf(frame, IDC_PROMPT_TIPS)));
            EXPECT_FALSE(IsShown(PageOf(frame, IDC_PHRASE_INPUT)));
            EXPECT_TRUE(IsShown(PageOf(frame, IDC_KEYBOARD_LAYOUT)));
            ClickTab(frame, 0);
        },
        [](HWND frame) {
            EXPECT_TRUE(IsShown(PageOf(frame, IDC_PROMPT_TIPS)));
            EXPECT_FALSE(IsShown(PageOf(frame, IDC_PHRASE_INPUT)));
            EXPECT_FALSE(IsShown(PageOf(frame, IDC_KEYBOARD_LAYOUT)));
            PressCancel(frame);
        },
    });
}

TEST_F(ConfigureBox, EscapeAndTheCloseBoxWriteNothing) {
    EXPECT_EQ(RunConfigureBox({[](HWND frame) {
                  ClickButton(frame, IDC_EXT_B);
                  PressKey(VK_ESCAPE);
              }}),
              IDCANCEL);
    EXPECT_EQ(RunConfigureBox({[](HWND frame) {
                  ClickButton(frame, IDC_EXT_B);
                  PostMessageW(frame, WM_CLOSE, 0, 0);
              }}),
              IDCANCEL);
    EXPECT_EQ(ReadSettingsFile(), std::nullopt);
    EXPECT_EQ(RegistrySettingsValue(), std::nullopt);
}

TEST_F(ConfigureBox, EnterIsOk) {
    EXPECT_EQ(RunConfigureBox({[](HWND frame) {
                  ClickButton(frame, IDC_EXT_B);
                  SetFocus(FindControl(frame, IDC_EXT_B));
                  PressKey(VK_RETURN);
              }}),
              IDOK);
    EXPECT_EQ(ReadSettingsFile(), BytesOfWord(DefaultSettingsWord | (1u << 2)));
}

TEST_F(ConfigureBox, OkClosesEvenWhenTheFileCannotBeWritten) {
    // A folder where the file should be: the file cannot be created.
    std::filesystem::create_directories(SettingsFile());
    EXPECT_EQ(RunConfigureBox({PressOk}), IDOK);
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFile()));
    EXPECT_EQ(RegistrySettingsValue(), std::nullopt);
}

TEST(LayoutPreviews, FourDifferentPicturesOf600By160With8BitsPerPixel) {
    const HMODULE module = GetModuleHandleW(nullptr);
    for (int id = 143; id <= 146; ++id) {
        const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
        ASSERT_NE(found, nullptr) << id;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
        EXPECT_EQ(header->biWidth, 600) << id;
        EXPECT_EQ(std::abs(header->biHeight), 160) << id;
        EXPECT_EQ(header->biBitCount, 8) << id;
    }
    for (int layout = 0; layout < 4; ++layout) {
        for (int other = layout + 1; other < 4; ++other) {
            const UniqueBitmap a = LoadLayoutPreview(module, layout, LayoutPreviewSize);
            const UniqueBitmap b = LoadLayoutPreview(module, other, LayoutPreviewSize);
            EXPECT_FALSE(SamePixels(a.get(), b.get())) << layout << " and " << other;
        }
    }
    EXPECT_TRUE(SamePixels(LoadLayoutPreview(module, 5, LayoutPreviewSize).get(),
                           LoadLayoutPreview(module, 0, LayoutPreviewSize).get()));
}

// ---- Letter keys ----

TEST_F(ConfigureBox, GeneralLettersFlipTheirOptionsOnTheGeneralPage) {
    const SettingsWord flipped = (1u << 0) | (1u << 1) | (1u << 2) | (1u << 3) | (1u << 18) | (1u << 19) |
                                 (1u << 10) | (1u << 11);
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord,
                            {[](HWND frame) {
                                 // S before A: the space key option only works while associated words are on.
                                 for (const char letter : {'S', 'A', 'B', 'C', 'E', 'F', 'U', 'N'}) PressLetter(letter);
                                 (void)frame;
                             },
                             [](HWND frame) {
                                 EXPECT_FALSE(IsMarked(frame, IDC_PROMPT_TIPS));
                                 EXPECT_FALSE(IsEnabled(frame, IDC_SPACE_FINALIZES));
                                 EXPECT_FALSE(IsMarked(frame, IDC_SPACE_FINALIZES));
                                 for (const int id : {IDC_EXT_B, IDC_EXT_CD, IDC_EXT_E, IDC_EXT_F,
                                                      IDC_CUE_SPECIAL_CODE, IDC_ALPHANUMERIC}) {
                                     EXPECT_TRUE(IsMarked(frame, id)) << id;
                                 }
                             }}),
              DefaultSettingsWord ^ flipped);
}

TEST_F(ConfigureBox, SDoesNothingWhileAssociatedWordsAreOff) {
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord, {[](HWND) {
                                PressLetter('A');
                                PressLetter('S');
                                PressLetter('S');
                                PressLetter('S');
                            }}),
              DefaultSettingsWord & ~1u);
}

TEST_F(ConfigureBox, LettersWorkWhateverControlHasTheFocus) {
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord, {[](HWND frame) {
                                // The font list would otherwise take B as the start of an item.
                                SetFocus(FindControl(frame, IDC_FONT_SIZE));
                                PressLetter('B');
                            }}),
              DefaultSettingsWord | (1u << 2));
}

TEST_F(ConfigureBox, PhraseSourceLettersDoNothingWhilePhraseInputIsOff) {
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord,
                            {
                                [](HWND frame) { ClickTab(frame, 1); },
                                [](HWND) {
                                    for (const char letter : {'D', 'T', 'I'}) PressLetter(letter);
                                },
                                [](HWND frame) {
                                    EXPECT_TRUE(IsMarked(frame, IDC_BUILT_IN_PHRASES));
                                    PressLetter('P');
                                    PressLetter('T');
                                },
                                [](HWND frame) {
                                    EXPECT_TRUE(IsEnabled(frame, IDC_BOTH_PHRASES));
                                    EXPECT_TRUE(IsMarked(frame, IDC_BOTH_PHRASES));
                                    EXPECT_FALSE(IsMarked(frame, IDC_BUILT_IN_PHRASES));
                                },
                            }),
              (DefaultSettingsWord & ~BuiltIn) | PhraseInput | BothPhrases);
}

TEST_F(ConfigureBox, PageLettersDoNothingOnTheOtherPages) {
    const char general[] = {'A', 'S', 'B', 'C', 'E', 'F', 'U', 'N'};
    const char advanced[] = {'P', 'W', 'Q', 'X', 'L', 'R', 'I', 'D', 'T'};
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord,
                            {
                                [&](HWND) {
                                    for (const char letter : advanced) PressLetter(letter);
                                },
                                [](HWND frame) { ClickTab(frame, 1); },
                                [&](HWND) {
                                    for (const char letter : general) PressLetter(letter);
                                },
                                [](HWND frame) { ClickTab(frame, 2); },
                                [&](HWND) {
                                    for (const char letter : general) PressLetter(letter);
                                    for (const char letter : advanced) PressLetter(letter);
                                },
                            }),
              DefaultSettingsWord);
}

TEST_F(ConfigureBox, VAndTheButtonStartThePhraseToolFromEveryPage) {
    std::filesystem::remove(PhraseToolStartsLog());
    RunConfigureBox({
        [](HWND) { PressLetter('V'); },
        [](HWND frame) { ClickTab(frame, 1); },
        [](HWND) { PressLetter('V'); },
        [](HWND frame) { ClickTab(frame, 2); },
        [](HWND) { PressLetter('V'); },
        [](HWND frame) {
            ClickButton(frame, IDC_PHRASE_TOOL);
            // The dialog stays open.
            EXPECT_TRUE(IsWindowVisible(frame));
            PressCancel(frame);
        },
    });
    EXPECT_EQ(WaitForPhraseToolStarts(4), 4);
    Sleep(300);
    EXPECT_EQ(WaitForPhraseToolStarts(4), 4);  // and no more
    std::filesystem::remove(PhraseToolStartsLog());
}

// ---- Pages, colours and DPI changes ----

TEST_F(ConfigureBox, PagesPaintInTheWindowColourAndTheFrameDoesNot) {
    RunConfigureBox({[](HWND frame) {
        const HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
        const HWND page = PageOf(frame, IDC_PROMPT_TIPS);
        const HDC dc = CreateCompatibleDC(nullptr);
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, RGB(1, 2, 3));
        EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageW(page, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(page))),
                  window);
        const HWND check = FindControl(frame, IDC_PROMPT_TIPS);
        EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageW(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(check))),
                  window);
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
        EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_NE(reinterpret_cast<HBRUSH>(SendMessageW(frame, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(frame))),
                  window);
        DeleteDC(dc);
        PressCancel(frame);
    }});
}

TEST_F(ConfigureBox, PagesAreChildrenOfTheFrameInTheTabOrder) {
    RunConfigureBox({[](HWND frame) {
        for (const int id : {IDC_PROMPT_TIPS, IDC_PHRASE_INPUT, IDC_KEYBOARD_LAYOUT}) {
            const HWND page = PageOf(frame, id);
            EXPECT_EQ(GetParent(page), frame);
            EXPECT_TRUE(GetWindowLongPtrW(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
        }
        // Tab from the tab control goes into the General page, not to the buttons.
        const HWND next = GetNextDlgTabItem(frame, GetDlgItem(frame, IDC_TABS), FALSE);
        EXPECT_EQ(GetParent(next), PageOf(frame, IDC_PROMPT_TIPS));
        PressCancel(frame);
    }});
}

TEST_F(ConfigureBox, ADpiChangeLaysOutAgainWithoutResettingWhatTheUserDid) {
    EXPECT_EQ(StoredAfterOk(DefaultSettingsWord,
                            {
                                [](HWND frame) {
                                    ClickButton(frame, IDC_EXT_F);
                                    SelectListItem(frame, IDC_KEYBOARD_LAYOUT, 3);
                                    ClickTab(frame, 1);
                                },
                                [](HWND frame) {
                                    RECT window{};
                                    GetWindowRect(frame, &window);
                                    const RECT okBefore = ControlRect(frame, IDOK);
                                    const int before = MonitorDpi(frame);
                                    const int after = before * 3 / 2;  // 96 to 144, or 144 to 216
                                    RECT suggested{40, 50, 40 + window.right - window.left, 50 + window.bottom - window.top};
                                    const HBITMAP pictureBefore = ShownPicture(frame);
                                    SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(after, after), reinterpret_cast<LPARAM>(&suggested));
                                    RECT moved{};
                                    GetWindowRect(frame, &moved);
                                    const RECT okAfter = ControlRect(frame, IDOK);
                                    // Only Windows 8.1 and later tell a program about DPI changes.
                                    if (RunsOnWindows8Point1OrLater()) {
                                        EXPECT_EQ(moved.left, 40);
                                        EXPECT_EQ(moved.top, 50);
                                        EXPECT_NE(ShownPicture(frame), pictureBefore);  // made anew
                                        // Laid out for the new DPI: the window, the buttons and
                                        // the icon grow with it.
                                        EXPECT_GT((moved.right - moved.left) * 10, (window.right - window.left) * 13);
                                        EXPECT_GT((okAfter.right - okAfter.left) * 10, (okBefore.right - okBefore.left) * 13);
                                        EXPECT_GT((okAfter.bottom - okAfter.top) * 10, (okBefore.bottom - okBefore.top) * 13);
                                        ICONINFO icon{};
                                        BITMAP mask{};
                                        const auto small = reinterpret_cast<HICON>(SendMessageW(frame, WM_GETICON, ICON_SMALL, 0));
                                        ASSERT_TRUE(small && GetIconInfo(small, &icon));
                                        GetObjectW(icon.hbmMask, sizeof(mask), &mask);
                                        if (icon.hbmColor) DeleteObject(icon.hbmColor);
                                        DeleteObject(icon.hbmMask);
                                        EXPECT_EQ(mask.bmWidth, SystemMetricAtDpi(SM_CXSMICON, after));
                                    } else {
                                        EXPECT_EQ(moved.left, window.left);
                                        EXPECT_EQ(ShownPicture(frame), pictureBefore);
                                        EXPECT_EQ(okAfter.right - okAfter.left, okBefore.right - okBefore.left);
                                    }
                                    EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(frame, IDC_TABS)), 1);
                                    EXPECT_EQ(TabCtrl_GetItemCount(GetDlgItem(frame, IDC_TABS)), 3);
                                    EXPECT_TRUE(IsShown(PageOf(frame, IDC_PHRASE_INPUT)));
                                    EXPECT_FALSE(IsShown(PageOf(frame, IDC_PROMPT_TIPS)));
                                    EXPECT_EQ(SendMessageW(FindControl(frame, IDC_KEYBOARD_LAYOUT), CB_GETCOUNT, 0, 0), 4);
                                    EXPECT_EQ(SendMessageW(FindControl(frame, IDC_KEYBOARD_LAYOUT), CB_GETCURSEL, 0, 0), 3);
                                    EXPECT_EQ(SendMessageW(FindControl(frame, IDC_FONT_SIZE), CB_GETCOUNT, 0, 0), 3);
                                    EXPECT_TRUE(IsMarked(frame, IDC_EXT_F));
                                    EXPECT_TRUE(ShowsPictureOf(frame, 3));
                                    EXPECT_EQ(WindowText(FindControl(frame, IDC_EXT_F)), LoadUiString(IDS_EXT_F));
                                },
                            }),
              DefaultSettingsWord | (1u << 19) | (3u << 15));
}

}  // namespace
