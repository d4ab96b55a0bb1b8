// Scaling, text boxes, control rectangles and centring of the text-fitting dialogs.
#include "DialogLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>

// Readable failure messages for the layout types.
void PrintTo(const Size& size, std::ostream* out) { *out << size.cx << " x " << size.cy; }
void PrintTo(const Rect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
}

namespace {

TEST(DialogScaling, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDivRounded(75, 144, 96), 113);   // 112.5
    EXPECT_EQ(MulDivRounded(23, 144, 96), 35);    // 34.5
    EXPECT_EQ(MulDivRounded(11, 120, 96), 14);    // 13.75
    EXPECT_EQ(MulDivRounded(10, 1, 4), 3);        // 2.5
    EXPECT_EQ(MulDivRounded(7, 1, 3), 2);         // 2.33
    EXPECT_EQ(MulDivRounded(-75, 144, 96), -113);
    EXPECT_EQ(MulDivRounded(75, -144, 96), -113);
    EXPECT_EQ(MulDivRounded(75, 144, -96), -113);
    EXPECT_EQ(MulDivRounded(-75, -144, -96), -113);
    EXPECT_EQ(MulDivRounded(-10, 1, 4), -3);      // -2.5
    EXPECT_EQ(MulDivRounded(-7, 1, 3), -2);
    EXPECT_EQ(MulDivRounded(0, 5, -7), 0);
    // The product may exceed int as long as the result fits; otherwise -1, as for a zero divisor.
    EXPECT_EQ(MulDivRounded(INT_MAX, 2, 2), INT_MAX);
    EXPECT_EQ(MulDivRounded(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivRounded(5, 5, 0), -1);
    EXPECT_EQ(ScaleForDpi(11, 96), 11);
    EXPECT_EQ(ScaleForDpi(7, 144), 11);
    EXPECT_EQ(ScaleForDpi(11, 192), 22);
}

TEST(DialogScaling, LabelDropCentresOnTheFieldOrFallsBackToFive) {
    EXPECT_EQ(CentredLabelDrop(23, 16), 3);
    EXPECT_EQ(CentredLabelDrop(35, 24), 5);
    EXPECT_EQ(CentredLabelDrop(23, 30), -3);  // truncated toward zero, not -4
    EXPECT_EQ(CentredLabelDrop(35, std::nullopt), UnmeasuredLabelDrop);
    EXPECT_EQ(UnmeasuredLabelDrop, 5);
}

PhraseEditMeasurements MeasuredAt(int dpi) {
    PhraseEditMeasurements measured;
    measured.dpi = dpi;
    measured.textHeight = 16;
    measured.helpTextExtent = Size{1201, 16};
    measured.phraseLabelExtent = Size{48, 16};
    measured.vantixLabelExtent = Size{90, 17};
    measured.inputKeyLabelExtent = Size{70, 15};
    return measured;
}

// Cancel at the right, OK left of it, both bottom aligned.
void ExpectButtons(const PhraseEditPlacement& placed, Size client, Size button, int gap, int edge) {
    EXPECT_EQ(placed.cancelButton.Width(), button.cx);
    EXPECT_EQ(placed.cancelButton.Height(), button.cy);
    EXPECT_EQ(placed.okButton.Width(), button.cx);
    EXPECT_EQ(placed.okButton.Height(), button.cy);
    EXPECT_EQ(placed.cancelButton.left - placed.okButton.right, gap);
    EXPECT_EQ(client.cx - placed.cancelButton.right, edge);
    EXPECT_EQ(client.cy - placed.cancelButton.bottom, edge);
    EXPECT_EQ(placed.okButton.top, placed.cancelButton.top);
}

TEST(PhraseEditLayout, ButtonsAt96And144Dpi) {
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        const PhraseEditLayout layout = PhraseEditLayoutFor(MeasuredAt(dpi));
        const PhraseEditPlacement placed = PlacePhraseEditControls(layout, layout.clientSize);
        if (dpi == 96) ExpectButtons(placed, layout.clientSize, {75, 23}, 7, 11);
        else ExpectButtons(placed, layout.clientSize, {113, 35}, 11, 17);
    }
    // Placement follows the client size the window really got, not the one asked for.
    const PhraseEditLayout layout = PhraseEditLayoutFor(MeasuredAt(96));
    const Size bigger{layout.clientSize.cx + 40, layout.clientSize.cy + 30};
    ExpectButtons(PlacePhraseEditControls(layout, bigger), bigger, {75, 23}, 7, 11);
}

TEST(PhraseEditLayout, HelpBoxIsAThirdAsWideAndFourTimesAsTall) {
    EXPECT_EQ(HelpBoxFromExtent({1201, 16}), (Size{400, 64}));
    EXPECT_EQ(HelpBoxFromExtent({1502, 20}), (Size{500, 80}));
    const PhraseEditLayout layout = PhraseEditLayoutFor(MeasuredAt(96));
    EXPECT_EQ(layout.textBoxes.help, (Size{400, 64}));
    // 2M + help; 2M + help + 3V + 5H + D + BH + input-key label.
    EXPECT_EQ(layout.clientSize, (Size{22 + 400, 22 + 64 + 33 + 115 + 5 + 23 + 15}));
    const PhraseEditPlacement placed = PlacePhraseEditControls(layout, layout.clientSize);
    EXPECT_EQ(placed.helpText, (Rect{11, 11, 411, 75}));
    // A longer help text widens the dialog by a third of the growth.
    PhraseEditMeasurements longer = MeasuredAt(96);
    longer.helpTextExtent = Size{1801, 16};
    EXPECT_EQ(PhraseEditLayoutFor(longer).clientSize.cx, 22 + 600);
}

TEST(PhraseEditLayout, PhraseRowAndKeyFieldsShareTheWidth) {
    const PhraseEditLayout layout = PhraseEditLayoutFor(MeasuredAt(144));
    const PhraseEditMetrics& m = layout.metrics;
    ASSERT_EQ(m.margin, 17);
    ASSERT_EQ(m.fieldHeight, 35);
    EXPECT_EQ(layout.phraseLabelDrop, (35 - 16) / 2);
    for (int extraWidth : {0, 1, 37}) {
        SCOPED_TRACE(extraWidth);
        const Size client{layout.clientSize.cx + extraWidth, layout.clientSize.cy};
        const PhraseEditPlacement placed = PlacePhraseEditControls(layout, client);
        const int phraseTop = 17 + 64 + 17;
        EXPECT_EQ(placed.phraseLabel, RectAt(17, phraseTop + 9, {48, 16}));
        EXPECT_EQ(placed.phraseField, (Rect{17 + 11 + 48, phraseTop, client.cx - 17, phraseTop + 140}));
        const int keysTop = phraseTop + 140 + 17;
        EXPECT_EQ(placed.vantixLabel, RectAt(17, keysTop, {90, 17}));
        EXPECT_EQ(placed.inputKeyLabel.top, keysTop);
        EXPECT_EQ(placed.vantixField.top, keysTop + 8 + 17);  // D + label height
        EXPECT_EQ(placed.inputKeyField.top, keysTop + 8 + 15);
        EXPECT_EQ(placed.inputKeyLabel.left, placed.inputKeyField.left);
        // Equal halves, flush with the margins, at least a vertical gap between them.
        EXPECT_EQ(placed.vantixField.Width(), placed.inputKeyField.Width());
        EXPECT_EQ(placed.vantixField.Width(), (client.cx - 17 - 34) / 2);
        EXPECT_EQ(placed.vantixField.Height(), 35);
        EXPECT_EQ(placed.vantixField.left, 17);
        EXPECT_EQ(placed.inputKeyField.right, client.cx - 17);
        EXPECT_GE(placed.inputKeyField.left - placed.vantixField.right, 17);
        EXPECT_LE(placed.inputKeyField.left - placed.vantixField.right, 18);
    }
}

TEST(PhraseEditLayout, NoDeviceContextKeepsUnscaledDefaults) {
    const PhraseEditLayout layout = PhraseEditLayoutFor(std::nullopt);
    EXPECT_EQ(layout.metrics.buttonWidth, 75);
    EXPECT_EQ(layout.metrics.margin, 11);
    EXPECT_EQ(layout.textBoxes.help, (Size{500, 80}));  // the default box is not divided again
    EXPECT_EQ(layout.textBoxes.phraseLabel, (Size{100, 20}));
    EXPECT_EQ(layout.phraseLabelDrop, 5);
    EXPECT_EQ(layout.clientSize, (Size{522, 22 + 80 + 33 + 115 + 5 + 23 + 20}));
    // A device context without text metrics or extents still scales, and keeps the rest.
    PhraseEditMeasurements bare;
    bare.dpi = 144;
    const PhraseEditLayout partly = PhraseEditLayoutFor(bare);
    EXPECT_EQ(partly.metrics.buttonWidth, 113);
    EXPECT_EQ(partly.phraseLabelDrop, 5);
    EXPECT_EQ(partly.textBoxes.help, (Size{500, 80}));
    bare.dpi = 0;  // an unreadable DPI counts as 96
    EXPECT_EQ(PhraseEditLayoutFor(bare).metrics.buttonHeight, 23);
}

TEST(AboutBoxLayout, WidthFollowsTheVersionLineOnly) {
    AboutBoxMeasurements measured;
    measured.versionLineExtent = Size{300, 16};
    measured.secondLineExtent = Size{600, 17};
    const AboutBoxLayout layout = AboutBoxLayoutFor(WordloomAboutBoxBase, {32, 32}, measured);
    EXPECT_EQ(layout.clientSize, (Size{22 + 32 + 11 + 300, 22 + 22 + 23 + 16 + 17}));
    const Size client{layout.clientSize.cx + 2, layout.clientSize.cy + 4};
    const AboutBoxPlacement placed = PlaceAboutBoxControls(layout, client);
    EXPECT_EQ(placed.icon, (Rect{11, 11, 43, 43}));
    EXPECT_EQ(placed.versionLine, RectAt(54, 11, {300, 16}));
    EXPECT_EQ(placed.secondLine, RectAt(54, 11 + 11 + 16, {600, 17}));
    EXPECT_EQ(placed.okButton, RectAt(client.cx - 75 - 11, client.cy - 23 - 11, {75, 23}));

    measured.dpi = 144;
    const AboutBoxLayout scaled = AboutBoxLayoutFor(VantixcfgAboutBoxBase, {48, 48}, measured);
    EXPECT_EQ(scaled.clientSize, (Size{34 + 48 + 17 + 300, 34 + 34 + 35 + 16 + 17}));
    EXPECT_EQ(PlaceAboutBoxControls(scaled, scaled.clientSize).okButton,
              RectAt(scaled.clientSize.cx - 113 - 17, scaled.clientSize.cy - 35 - 17, {113, 35}));
}

TEST(AboutBoxLayout, NoDeviceContextUsesEachToolsDefaults) {
    const AboutBoxLayout wordloom = AboutBoxLayoutFor(WordloomAboutBoxBase, {32, 32}, std::nullopt);
    EXPECT_EQ(wordloom.clientSize, (Size{22 + 32 + 11 + 250, 22 + 22 + 23 + 40}));
    const AboutBoxLayout vantixcfg = AboutBoxLayoutFor(VantixcfgAboutBoxBase, {32, 32}, std::nullopt);
    EXPECT_EQ(vantixcfg.clientSize, (Size{22 + 32 + 11 + 200, 22 + 22 + 23 + 40}));
    EXPECT_EQ(vantixcfg.textBoxes.secondLine, (Size{200, 20}));
}

TEST(DialogCentring, CentresOverOwnerOrWorkArea) {
    const Rect workArea{0, 0, 1920, 1040};
    const Rect dialog = RectAt(-8, -31, {300, 201});  // where it stood after resizing
    EXPECT_EQ(CentreOver(dialog, {200, 100, 601, 400}), RectAt(200 + 50, 100 + 49, {300, 201}));
    EXPECT_EQ(CentredDialogRect(dialog, Rect{200, 100, 601, 400}, workArea),
              RectAt(250, 149, {300, 201}));
    EXPECT_EQ(CentredDialogRect(dialog, std::nullopt, workArea), RectAt(810, 419, {300, 201}));
    // A work area that does not start at the origin (taskbar at the top, second monitor).
    EXPECT_EQ(CentredDialogRect(dialog, std::nullopt, {-1920, 40, 0, 1080}),
              RectAt(-1110, 459, {300, 201}));
    // An owner smaller than the dialog: the dialog overhangs it evenly.
    EXPECT_EQ(CentreOver(RectAt(0, 0, {301, 100}), {100, 100, 200, 150}), RectAt(0, 75, {301, 100}));
}

TEST(DialogCentring, PushedInsideRightAndBottomFirstThenLeftAndTop) {
    const Rect workArea{0, 40, 1920, 1080};
    // Owner hanging off the bottom right corner.
    EXPECT_EQ(CentredDialogRect(RectAt(0, 0, {300, 200}), Rect{1800, 1000, 2000, 1100}, workArea),
              RectAt(1620, 880, {300, 200}));
    // Owner off the top left.
    EXPECT_EQ(CentredDialogRect(RectAt(0, 0, {300, 200}), Rect{-500, -300, -100, 0}, workArea),
              RectAt(0, 40, {300, 200}));
    // Larger than the work area: the top left corner stays visible.
    EXPECT_EQ(PushInside(RectAt(500, 500, {2000, 1200}), workArea), RectAt(0, 40, {2000, 1200}));
    EXPECT_EQ(CentredDialogRect(RectAt(0, 0, {2000, 1200}), std::nullopt, workArea),
              RectAt(0, 40, {2000, 1200}));
    // Already inside: unchanged.
    EXPECT_EQ(PushInside(RectAt(10, 50, {300, 200}), workArea), RectAt(10, 50, {300, 200}));
}

}  // namespace
