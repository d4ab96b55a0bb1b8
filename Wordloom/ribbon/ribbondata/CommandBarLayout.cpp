#include "CommandBarLayout.h"

#include <algorithm>

Size LargeButtonSize(const LargeButtonMeasurements& measured) {
    const auto scale = [&](int length) { return ScaleForDpi(length, measured.dpi); };
    // The image 4 from the top, 3 above the label's two lines, 8 under them for the drop-down mark.
    return Size{std::max(measured.widestLabel, measured.image.cx) + scale(10),
                scale(4) + measured.image.cy + scale(3) + 2 * measured.textHeight + scale(8)};
}

CommandBarLayout LayOutCommandBar(const CommandBarMeasurements& measured) {
    const auto scale = [&](int length) { return ScaleForDpi(length, measured.dpi); };
    CommandBarLayout layout;

    // The top row: its parts centred on it, except the tab row, which stands on its bottom.
    const int tabHeight = measured.tabItemBottom + scale(3);
    const int topRow =
        std::max({measured.applicationButton.cy, measured.quickAccess.cy, tabHeight}) + scale(4);
    int x = scale(2);
    layout.applicationButton = RectAt(x, (topRow - measured.applicationButton.cy) / 2, measured.applicationButton);
    x += measured.applicationButton.cx + scale(8);
    layout.quickAccess = RectAt(x, (topRow - measured.quickAccess.cy) / 2, measured.quickAccess);
    x += measured.quickAccess.cx + scale(8);
    layout.tabRow = RectAt(x, topRow - tabHeight, Size{std::max(0, measured.width - x - scale(2)), tabHeight});

    // The groups: large toolbars at the top, the others centred on the tallest.
    int content = measured.largeButton.cy;
    for (const GroupToolbarExtent& toolbar : measured.groupToolbars) content = std::max(content, toolbar.extent.cy);
    const int top = topRow + scale(3);
    layout.groupToolbars.resize(measured.groupToolbars.size());
    x = scale(4);
    for (const GroupLabelWidth& group : measured.groups) {
        const int left = x;
        for (std::size_t index = 0; index < measured.groupToolbars.size(); ++index) {
            const GroupToolbarExtent& toolbar = measured.groupToolbars[index];
            if (toolbar.group != group.group) continue;
            const int y = top + (toolbar.large ? 0 : (content - toolbar.extent.cy) / 2);
            layout.groupToolbars[index] = RectAt(x, y, toolbar.extent);
            x += toolbar.extent.cx + scale(2);
        }
        // A group is at least as wide as its label.
        x = std::max(x, left + group.width + scale(12));
        layout.groupFrames.push_back(Rect{left, top, x, top + content + measured.textHeight + scale(4)});
        x += scale(8);
    }

    const int groups = content + measured.textHeight + scale(10);
    layout.groupsShown = !measured.collapsed || measured.peeking;
    layout.height = topRow + (measured.collapsed ? 0 : groups) + 1;
    layout.windowHeight = topRow + (layout.groupsShown ? groups : 0) + 1;
    return layout;
}
