// Sizes and positions of the configure dialog's frame and pages from measured texts.
#include "ConfigureLayout.h"

#include "LayoutPrinting.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr Size CheckMark{15, 13};

ConfigureMeasurements MeasuredAt(int dpi) {
    ConfigureMeasurements measured;
    measured.dpi = dpi;
    measured.widestCheckText = Size{400, 13};
    measured.phraseToolButtonText = Size{150, 13};
    measured.generalHeading = Size{90, 13};
    measured.outputHeading = Size{85, 13};
    measured.advancedHeading = Size{50, 13};
    measured.keyboardHeading = Size{95, 13};
    measured.fontLabel = Size{80, 13};
    measured.widestLayoutName = Size{130, 13};
    measured.widestFontSizeName = Size{90, 13};
    return measured;
}

// What TCM_ADJUSTRECT might make of the page: a border and a row of tabs on top.
Rect TabWindowAround(Size page) {
    return Rect{-2, -24, page.cx + 2, page.cy + 2};
}

TEST(ConfigureLayout, MetricsScaleWithTheDpi) {
    const ConfigureMetrics at96 = ConfigureLayoutFor(MeasuredAt(96), CheckMark).metrics;
    EXPECT_EQ(at96.margin, 11);
    EXPECT_EQ(at96.smallGap, 7);
    EXPECT_EQ(at96.buttonWidth, 75);
    EXPECT_EQ(at96.buttonHeight, 23);
    EXPECT_EQ(at96.listHeight, 23);
    EXPECT_EQ(at96.groupInset, 14);
    EXPECT_EQ(at96.groupTop, 19);
    EXPECT_EQ(at96.groupRowGap, 7);
    const ConfigureMetrics at144 = ConfigureLayoutFor(MeasuredAt(144), CheckMark).metrics;
    EXPECT_EQ(at144.margin, 17);
    EXPECT_EQ(at144.smallGap, 11);
    EXPECT_EQ(at144.buttonWidth, 113);
    EXPECT_EQ(at144.buttonHeight, 35);
    EXPECT_EQ(at144.listHeight, 35);
    EXPECT_EQ(at144.groupInset, 21);
    EXPECT_EQ(at144.groupTop, 29);
    EXPECT_EQ(at144.groupRowGap, 11);
}

TEST(ConfigureLayout, RowsAreTheWidestTextPlusTheCheckMark) {
    const ConfigureLayout layout = ConfigureLayoutFor(MeasuredAt(96), CheckMark);
    EXPECT_EQ(layout.checkWidth, 415);
    EXPECT_EQ(layout.rowHeight, 13);
    // A check mark taller than the text sets the row height.
    EXPECT_EQ(ConfigureLayoutFor(MeasuredAt(96), Size{17, 16}).rowHeight, 16);
}

TEST(ConfigureLayout, PageHoldsTheGeneralPagesRowsListAndGroup) {
    const ConfigureLayout layout = ConfigureLayoutFor(MeasuredAt(96), CheckMark);
    // CW + 2N + 3M and H + 11 RH + 8M + 2S + N + G + 3R.
    EXPECT_EQ(layout.page, (Size{415 + 28 + 33, 23 + 143 + 88 + 14 + 14 + 19 + 21}));
}

TEST(ConfigureLayout, WithoutADeviceContextRowsAre500By20Unscaled) {
    const ConfigureLayout layout = ConfigureLayoutFor(std::nullopt, CheckMark);
    EXPECT_EQ(layout.checkWidth, 500);
    EXPECT_EQ(layout.rowHeight, 20);
    EXPECT_EQ(layout.metrics.margin, 11);
    EXPECT_EQ(layout.textBoxes.phraseToolButtonText, (Size{200, 20}));
    EXPECT_EQ(layout.textBoxes.advancedHeading, (Size{65, 20}));
    EXPECT_EQ(layout.textBoxes.widestLayoutName, (Size{180, 20}));
    EXPECT_EQ(layout.page, (Size{561, 399}));
}

TEST(ConfigureLayout, UnmeasuredTextsKeepTheirDefaultBoxes) {
    ConfigureMeasurements measured = MeasuredAt(144);
    measured.keyboardHeading.reset();
    measured.widestCheckText.reset();
    const ConfigureLayout layout = ConfigureLayoutFor(measured, CheckMark);
    EXPECT_EQ(layout.textBoxes.keyboardHeading, (Size{130, 20}));
    EXPECT_EQ(layout.checkWidth, 500);
    EXPECT_EQ(layout.metrics.margin, 17);
}

TEST(ConfigureLayout, WidestExtentPicksTheWidestMeasuredText) {
    const std::vector<std::optional<Size>> extents{Size{10, 13}, std::nullopt, Size{30, 14}, Size{20, 13}};
    EXPECT_EQ(WidestExtent(extents), std::optional<Size>(Size{30, 14}));
    const std::vector<std::optional<Size>> none{std::nullopt};
    EXPECT_EQ(WidestExtent(none), std::nullopt);
}

TEST(ConfigureFrame, TabControlPagesAndButtons) {
    const ConfigureLayout layout = ConfigureLayoutFor(MeasuredAt(96), CheckMark);
    const Rect tabWindow = TabWindowAround(layout.page);
    const Size client = ConfigureClientSize(layout, tabWindow);
    EXPECT_EQ(client, (Size{22 + 480, 11 + 348 + 11 + 23 + 11}));

    const ConfigureFramePlacement placed = PlaceConfigureFrame(layout, tabWindow, client);
    EXPECT_EQ(placed.tabs, (Rect{11, 11, 491, 359}));
    // The pages cover the display area: the tab control's origin less the grown rectangle's.
    EXPECT_EQ(placed.pages, (Rect{13, 35, 13 + 476, 35 + 322}));
    EXPECT_EQ(placed.cancelButton, (Rect{416, 370, 491, 393}));
    EXPECT_EQ(placed.okButton, (Rect{334, 370, 409, 393}));
    EXPECT_EQ(placed.phraseToolButton, (Rect{163, 370, 327, 393}));
}

TEST(ConfigureFrame, ButtonsFollowTheClientSizeTheWindowGot) {
    const ConfigureLayout layout = ConfigureLayoutFor(MeasuredAt(144), CheckMark);
    const Rect tabWindow = TabWindowAround(layout.page);
    const Size client{900, 700};
    const ConfigureFramePlacement placed = PlaceConfigureFrame(layout, tabWindow, client);
    EXPECT_EQ(placed.cancelButton, (Rect{900 - 17 - 113, 700 - 17 - 35, 900 - 17, 700 - 17}));
    EXPECT_EQ(placed.okButton.right, placed.cancelButton.left - 11);
    EXPECT_EQ(placed.phraseToolButton.right, placed.okButton.left - 11);
    EXPECT_EQ(placed.phraseToolButton.Width(), 150 + 22);
}

TEST(GeneralPage, RowsListHeadingsAndUnicodeGroup) {
    const ConfigureLayout layout = ConfigureLayoutFor(MeasuredAt(96), CheckMark);
    const GeneralPagePlacement placed = PlaceGeneralPage(layout);
    EXPECT_EQ(placed.general.heading, (Rect{11, 11, 101, 24}));
    EXPECT_EQ(placed.general.line, (Rect{108, 17, 465, 19}));
    EXPECT_EQ(placed.alphanumeric, (Rect{22, 35, 437, 48}));
    EXPECT_EQ(placed.cueSpecialCode, (Rect{22, 59, 437, 72}));
    EXPECT_EQ(placed.promptAssociatedWords, (Rect{22, 83, 437, 96}));
    EXPECT_EQ(placed.spaceFinalizes, (Rect{37, 103, 452, 116}));  // under 1003's text
    EXPECT_EQ(placed.fontHint, (Rect{22, 127, 437, 140}));
    EXPECT_EQ(placed.fontSize, (Rect{124, 147, 124 + 144, 170}));  // 1.6 x 90
    EXPECT_EQ(placed.fontLabel, (Rect{37, 152, 117, 165}));        // centred on the list
    EXPECT_EQ(placed.output.heading, (Rect{11, 181, 96, 194}));
    EXPECT_EQ(placed.output.line, (Rect{103, 187, 465, 189}));
    EXPECT_EQ(placed.unicodeGroup, (Rect{22, 205, 465, 311}));
    EXPECT_EQ(placed.extB, (Rect{36, 224, 451, 237}));
    EXPECT_EQ(placed.extCD.top, 244);
    EXPECT_EQ(placed.extE.top, 264);
    EXPECT_EQ(placed.extF, (Rect{36, 284, 451, 297}));
    // The group ends one margin above the page's bottom.
    EXPECT_EQ(layout.page.cy - placed.unicodeGroup.bottom, 11);
}

TEST(AdvancedPage, ShiftGroupChecksAndPhraseSourceGroup) {
    const ConfigureLayout layout = ConfigureLayoutFor(MeasuredAt(96), CheckMark);
    const AdvancedPagePlacement placed = PlaceAdvancedPage(layout);
    EXPECT_EQ(placed.settings.heading, (Rect{11, 11, 61, 24}));
    EXPECT_EQ(placed.settings.line, (Rect{68, 17, 465, 19}));
    EXPECT_EQ(placed.shiftGroup, (Rect{22, 35, 465, 121}));
    EXPECT_EQ(placed.anyShift, (Rect{36, 54, 451, 67}));
    EXPECT_EQ(placed.leftShift.top, 74);
    EXPECT_EQ(placed.rightShift.top, 94);
    EXPECT_EQ(placed.showReading, (Rect{22, 132, 437, 145}));
    EXPECT_EQ(placed.phraseInput, (Rect{22, 156, 437, 169}));
    EXPECT_EQ(placed.phraseSourceGroup, (Rect{37, 176, 465, 262}));
    EXPECT_EQ(placed.builtInPhrases, (Rect{51, 195, 51 + 404, 208}));
    EXPECT_EQ(placed.userPhrases.top, 215);
    EXPECT_EQ(placed.bothPhrases.top, 235);
    EXPECT_EQ(placed.warningBeep, (Rect{22, 273, 437, 286}));
}

TEST(KeyboardPage, ListAndPreviewFittedToTheFreeArea) {
    const ConfigureLayout layout = ConfigureLayoutFor(MeasuredAt(96), CheckMark);
    const KeyboardPagePlacement placed = PlaceKeyboardPage(layout);
    EXPECT_EQ(placed.keyboard.heading, (Rect{11, 11, 106, 24}));
    EXPECT_EQ(placed.keyboard.line.left, 113);
    EXPECT_EQ(placed.hint, (Rect{22, 35, 437, 48}));
    EXPECT_EQ(placed.layoutList, (Rect{33, 59, 33 + 208, 82}));
    // Free area 454 x 218: the width decides, 454 x 121.
    EXPECT_EQ(placed.preview, (Rect{11, 93, 465, 214}));
}

TEST(KeyboardPage, PictureFitsByHeightOrWidth) {
    EXPECT_EQ(FitPicture(Rect{5, 6, 705, 106}, LayoutPreviewSize), (Rect{5, 6, 5 + 375, 106}));
    EXPECT_EQ(FitPicture(Rect{0, 0, 300, 300}, LayoutPreviewSize), (Rect{0, 0, 300, 80}));
    EXPECT_EQ(FitPicture(Rect{0, 0, 600, 160}, LayoutPreviewSize), (Rect{0, 0, 600, 160}));
    EXPECT_EQ(FitPicture(Rect{0, 0, 601, 160}, LayoutPreviewSize), (Rect{0, 0, 600, 160}));
}

std::vector<Rect> AllPageRects(const ConfigureLayout& layout) {
    const GeneralPagePlacement g = PlaceGeneralPage(layout);
    const AdvancedPagePlacement a = PlaceAdvancedPage(layout);
    const KeyboardPagePlacement k = PlaceKeyboardPage(layout);
    return {g.general.heading, g.general.line, g.alphanumeric, g.cueSpecialCode, g.promptAssociatedWords,
            g.spaceFinalizes, g.fontHint, g.fontLabel, g.fontSize, g.output.heading, g.output.line,
            g.unicodeGroup, g.extB, g.extCD, g.extE, g.extF,
            a.settings.heading, a.settings.line, a.shiftGroup, a.anyShift, a.leftShift, a.rightShift,
            a.showReading, a.phraseInput, a.phraseSourceGroup, a.builtInPhrases, a.userPhrases,
            a.bothPhrases, a.warningBeep,
            k.keyboard.heading, k.keyboard.line, k.hint, k.layoutList, k.preview};
}

TEST(ConfigurePages, EveryControlStaysInsideThePageMargins) {
    for (const int dpi : {96, 120, 144, 192}) {
        // Check marks as the system draws them at that DPI, a plain one and a wide one.
        for (const Size check96 : {Size{15, 13}, Size{19, 16}}) {
            const Size check{ScaleForDpi(check96.cx, dpi), ScaleForDpi(check96.cy, dpi)};
            SCOPED_TRACE(testing::Message() << dpi << " dpi, check " << check.cx);
            const ConfigureLayout layout = ConfigureLayoutFor(MeasuredAt(dpi), check);
            const int m = layout.metrics.margin;
            for (const Rect& rect : AllPageRects(layout)) {
                EXPECT_GE(rect.left, m) << testing::PrintToString(rect);
                EXPECT_GE(rect.top, m) << testing::PrintToString(rect);
                EXPECT_LE(rect.right, layout.page.cx - m) << testing::PrintToString(rect);
                EXPECT_LE(rect.bottom, layout.page.cy - m) << testing::PrintToString(rect);
            }
        }
    }
}

}  // namespace
