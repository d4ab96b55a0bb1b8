// Scaling, the About box's text boxes and rectangles, and centring of the text-fitting dialogs.
#include "DialogLayout.h"
#include "LayoutPrinting.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>


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
