// Control rectangles of the Invalid Lines report, as it opens and as the user resizes it.
#include "InvalidLinesLayout.h"

#include "LayoutPrinting.h"

#include <gtest/gtest.h>

TEST(InvalidLinesLayout, OpensAt96And144DpiAndFollowsEverySizeAboveItsMinimum) {
    const InvalidLinesLayout unmeasured = InvalidLinesLayoutFor(std::nullopt);
    EXPECT_EQ(unmeasured.clientSize, (Size{720 + 22, 320 + 22 + 7 + 23}));
    const InvalidLinesPlacement placed = PlaceInvalidLinesControls(unmeasured, unmeasured.clientSize);
    // The list fills the width; Close stands clear of the 17-pixel grip in the corner.
    EXPECT_EQ(placed.list, (Rect{11, 11, 731, 331}));
    EXPECT_EQ(placed.close, (Rect{742 - 17 - 75, 338, 742 - 17, 361}));
    EXPECT_EQ(placed.copy, (Rect{742 - 17 - 150 - 7, 338, 742 - 17 - 75 - 7, 361}));
    EXPECT_EQ(placed.grip, (Rect{725, 355, 742, 372}));

    // At 144 DPI everything is half as large again; a long button text widens both buttons.
    const InvalidLinesMeasurements measured{144, Size{26, 26}, Size{140, 20}, Size{40, 20}};
    const InvalidLinesLayout layout = InvalidLinesLayoutFor(measured);
    EXPECT_EQ(layout.button, (Size{140 + 2 * 15, 35}));
    EXPECT_EQ(layout.clientSize, (Size{1080 + 34, 480 + 34 + 11 + 35}));
    const InvalidLinesPlacement big = PlaceInvalidLinesControls(layout, Size{1200, 700});
    EXPECT_EQ(big.list, (Rect{17, 17, 1200 - 17, 700 - 17 - 35 - 11}));
    EXPECT_EQ(big.close.right, 1200 - 26);
    EXPECT_EQ(big.copy.right + 11, big.close.left);
    EXPECT_EQ(big.grip, (Rect{1200 - 26, 700 - 26, 1200, 700}));

    // Below the minimum the controls keep the minimum's places: nothing overlaps or turns over.
    const InvalidLinesPlacement tiny = PlaceInvalidLinesControls(layout, Size{10, 10});
    EXPECT_EQ(tiny.list.Width(), 2 * 170 + 11 + 26 + 17 - 2 * 17);  // the buttons need more than the list
    EXPECT_EQ(tiny.list.Height(), 120);
    EXPECT_GE(tiny.copy.left, 17);
    EXPECT_EQ(PlaceInvalidLinesControls(layout, layout.minimumClient).list, tiny.list);
}

TEST(InvalidLinesLayout, ColumnsShareTheListWidth) {
    const InvalidLinesColumns columns = InvalidLinesColumnsFor(640, 60);
    EXPECT_EQ(columns.line, 60);
    EXPECT_EQ(columns.reason, 290);
    EXPECT_EQ(columns.line + columns.reason + columns.text, 640);
    const InvalidLinesColumns narrow = InvalidLinesColumnsFor(40, 60);
    EXPECT_EQ(narrow.line, 40);
    EXPECT_EQ(narrow.reason + narrow.text, 0);
}
