// Text boxes and control rectangles of the phrase edit dialog.
#include "PhraseEditLayout.h"

#include "LayoutPrinting.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

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

}  // namespace
