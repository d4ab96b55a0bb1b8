// The command bar's windows placed from measured extents: the whole bar at 96 and 144 DPI, and
// what collapsing, a peek and a narrow frame change.
#include "CommandBarLayout.h"

#include "LayoutPrinting.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

constexpr std::uint16_t EditGroup = 7;
constexpr std::uint16_t ViewGroup = 8;

// The phrase tool's bar as measured at a DPI: the application button, five quick access items,
// the Edit group's three large buttons and three stacked small ones, the View group's one large
// button under a label wider than it.
CommandBarMeasurements MeasuredAt(int dpi, int width) {
    const bool large = dpi == 144;
    CommandBarMeasurements measured;
    measured.dpi = dpi;
    measured.width = width;
    measured.textHeight = large ? 19 : 13;
    measured.applicationButton = large ? Size{90, 32} : Size{62, 22};
    measured.quickAccess = large ? Size{155, 30} : Size{115, 22};
    measured.tabItemBottom = large ? 29 : 20;
    measured.largeButton = LargeButtonSize({dpi, measured.textHeight, large ? 57 : 38, large ? Size{48, 48} : Size{32, 32}});
    const int button = measured.largeButton.cx;
    measured.groupToolbars = {
        {EditGroup, true, Size{3 * button, measured.largeButton.cy}},
        {EditGroup, false, large ? Size{135, 99} : Size{90, 66}},
        {ViewGroup, true, Size{button, measured.largeButton.cy}},
    };
    measured.groups = {{EditGroup, large ? 33 : 22}, {ViewGroup, large ? 75 : 50}};
    return measured;
}

std::string Printed(const CommandBarLayout& layout) {
    std::ostringstream out;
    out << "application button " << testing::PrintToString(layout.applicationButton) << "\n";
    out << "quick access " << testing::PrintToString(layout.quickAccess) << "\n";
    out << "tab row " << testing::PrintToString(layout.tabRow) << "\n";
    for (const Rect& toolbar : layout.groupToolbars) out << "toolbar " << testing::PrintToString(toolbar) << "\n";
    for (const Rect& group : layout.groupFrames) out << "group " << testing::PrintToString(group) << "\n";
    out << "height " << layout.height << ", window " << layout.windowHeight << ", groups "
        << (layout.groupsShown ? "shown" : "hidden") << "\n";
    return out.str();
}

TEST(CommandBarLayout, WholeBarAt96And144Dpi) {
    // 96 DPI: a top row of 23 + 4 (the tab row's), the large buttons 38 + 10 by 4 + 32 + 3 + 2 x 13
    // + 8, the small toolbar centred on them, the View group as wide as its label + 12.
    EXPECT_EQ(MeasuredAt(96, 600).largeButton, (Size{48, 73}));
    EXPECT_EQ(Printed(LayOutCommandBar(MeasuredAt(96, 600))),
              "application button (2, 2)-(64, 24)\n"
              "quick access (72, 2)-(187, 24)\n"
              "tab row (195, 4)-(598, 27)\n"
              "toolbar (4, 30)-(148, 103)\n"
              "toolbar (150, 33)-(240, 99)\n"
              "toolbar (250, 30)-(298, 103)\n"
              "group (4, 30)-(242, 120)\n"
              "group (250, 30)-(312, 120)\n"
              "height 124, window 124, groups shown\n");
    // 144 DPI: every gap scaled by 1.5, halves rounded up (3 gives 5).
    EXPECT_EQ(MeasuredAt(144, 900).largeButton, (Size{72, 109}));
    EXPECT_EQ(Printed(LayOutCommandBar(MeasuredAt(144, 900))),
              "application button (3, 4)-(93, 36)\n"
              "quick access (105, 5)-(260, 35)\n"
              "tab row (272, 6)-(897, 40)\n"
              "toolbar (6, 45)-(222, 154)\n"
              "toolbar (225, 50)-(360, 149)\n"
              "toolbar (375, 45)-(447, 154)\n"
              "group (6, 45)-(363, 179)\n"
              "group (375, 45)-(468, 179)\n"
              "height 184, window 184, groups shown\n");
}

TEST(CommandBarLayout, CollapsedPeekingAndNarrow) {
    CommandBarMeasurements measured = MeasuredAt(96, 600);
    const CommandBarLayout open = LayOutCommandBar(measured);
    // Collapsed, the bar is its top row and its bottom edge; the groups' places are kept.
    measured.collapsed = true;
    const CommandBarLayout collapsed = LayOutCommandBar(measured);
    EXPECT_EQ(collapsed.height, 28);
    EXPECT_EQ(collapsed.windowHeight, 28);
    EXPECT_FALSE(collapsed.groupsShown);
    EXPECT_EQ(collapsed.groupFrames, open.groupFrames);
    // A peek shows the groups over the window below: the frame keeps the collapsed height.
    measured.peeking = true;
    const CommandBarLayout peek = LayOutCommandBar(measured);
    EXPECT_EQ(peek.height, 28);
    EXPECT_EQ(peek.windowHeight, open.windowHeight);
    EXPECT_TRUE(peek.groupsShown);
    // A frame narrower than the top row leaves the tab row no width rather than a negative one.
    measured.width = 150;
    EXPECT_EQ(LayOutCommandBar(measured).tabRow, (Rect{195, 4, 195, 27}));
    // An image wider than every label sets the large buttons' width.
    EXPECT_EQ(LargeButtonSize({96, 13, 20, Size{32, 32}}), (Size{42, 73}));
}

}  // namespace
