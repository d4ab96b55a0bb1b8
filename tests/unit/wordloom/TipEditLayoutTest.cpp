// Control rectangles of the associated-word editor.
#include "TipEditLayout.h"

#include "LayoutPrinting.h"

#include <gtest/gtest.h>

TEST(TipEditLayout, DefaultsAt96AndMeasuredAt144Dpi) {
    const TipEditLayout unmeasured = TipEditLayoutFor(std::nullopt);
    // bw + 8cw + 2m + 14 + al; h + 2m + 33 + 10th + 46.
    EXPECT_EQ(unmeasured.clientSize, (Size{75 + 160 + 22 + 14 + 120, 23 + 22 + 33 + 200 + 46}));
    const TipEditPlacement placed = PlaceTipEditControls(unmeasured, unmeasured.clientSize);
    EXPECT_EQ(placed.characterLabel, (Rect{71, 16, 131, 36}));
    EXPECT_EQ(placed.characterBox, (Rect{138, 11, 178, 34}));
    EXPECT_EQ(placed.wordBox, (Rect{138, 45, 298, 68}));
    EXPECT_EQ(placed.wordList, (Rect{138, 79, 298, 279}));
    EXPECT_EQ(placed.addWordButton, (Rect{305, 45, 380, 68}));
    EXPECT_EQ(placed.downButton.top, placed.upButton.bottom + 7);
    EXPECT_EQ(placed.deleteButton.top, 11 + 2 * (23 + 7 + 23 + 11));
    EXPECT_EQ(placed.cancelButton, (Rect{305, 290, 380, 313}));  // 11 under the list

    TipEditMeasurements measured{144, 24, 39, Size{90, 24}, Size{150, 24}};
    const TipEditLayout layout = TipEditLayoutFor(measured);
    EXPECT_EQ(layout.charWidth, 30);  // 39 / 1.3
    EXPECT_EQ(layout.labelDrop, (35 - 24) / 2);
    const TipEditPlacement big = PlaceTipEditControls(layout, layout.clientSize);
    EXPECT_EQ(big.cancelButton.Width(), 113);
    EXPECT_EQ(layout.clientSize.cx - big.cancelButton.right, 17);
    EXPECT_EQ(big.characterLabel.right, big.wordsLabel.right);
}
