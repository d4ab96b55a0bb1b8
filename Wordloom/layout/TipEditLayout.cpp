#include "TipEditLayout.h"

TipEditMetrics TipEditMetrics::ScaledTo(int dpi) const {
    return TipEditMetrics{
        ScaleForDpi(margin, dpi),       ScaleForDpi(rowGap, dpi),    ScaleForDpi(buttonWidth, dpi),
        ScaleForDpi(buttonHeight, dpi), ScaleForDpi(boxHeight, dpi), ScaleForDpi(smallGap, dpi),
        ScaleForDpi(charWidth, dpi),    ScaleForDpi(textHeight, dpi),
    };
}

TipEditLayout TipEditLayoutFor(const std::optional<TipEditMeasurements>& measured) {
    TipEditLayout layout = StartLayout<TipEditLayout>(TipEditDialogBase, measured);
    if (measured) {
        layout.labelDrop = CentredLabelDrop(layout.metrics.boxHeight, measured->textHeight);
        layout.textBoxes.characterLabel =
            measured->characterLabelExtent.value_or(layout.textBoxes.characterLabel);
        layout.textBoxes.wordsLabel = measured->wordsLabelExtent.value_or(layout.textBoxes.wordsLabel);
    }
    const TipEditMetrics& m = layout.metrics;
    layout.charWidth = m.charWidth;
    layout.textHeight = m.textHeight;
    // The widest character is wider than most: a box of n of them would look half empty.
    if (measured && measured->widestCharWidth) layout.charWidth = *measured->widestCharWidth * 10 / 13;
    if (measured && measured->textHeight) layout.textHeight = *measured->textHeight;

    layout.clientSize = Size{
        m.buttonWidth + 8 * layout.charWidth + 2 * m.margin + 2 * m.smallGap + layout.textBoxes.wordsLabel.cx,
        m.buttonHeight + 2 * m.margin + 3 * m.rowGap + 10 * layout.textHeight + 2 * m.boxHeight,
    };
    return layout;
}

TipEditPlacement PlaceTipEditControls(const TipEditLayout& layout, Size client) {
    const TipEditMetrics& m = layout.metrics;
    const TipEditTextBoxes& boxes = layout.textBoxes;
    const Size button{m.buttonWidth, m.buttonHeight};
    const int boxLeft = m.margin + m.smallGap + boxes.wordsLabel.cx;
    const int wordRowTop = m.margin + m.boxHeight + m.rowGap;
    const int listTop = m.margin + 2 * (m.boxHeight + m.rowGap);
    const int rightColumn = client.cx - m.margin - m.buttonWidth;

    TipEditPlacement placement;
    placement.cancelButton = BottomRightButton(client, m.margin, m.smallGap, button, 0);
    placement.confirmButton = BottomRightButton(client, m.margin, m.smallGap, button, 1);
    // The two labels end at the same place, just before their boxes.
    placement.characterLabel =
        RectAt(m.margin + boxes.wordsLabel.cx - boxes.characterLabel.cx, m.margin + layout.labelDrop, boxes.characterLabel);
    placement.characterBox = RectAt(boxLeft, m.margin, Size{2 * layout.charWidth, m.boxHeight});
    placement.wordsLabel = RectAt(m.margin, wordRowTop + layout.labelDrop, boxes.wordsLabel);
    placement.wordBox = RectAt(boxLeft, wordRowTop, Size{8 * layout.charWidth, m.boxHeight});
    placement.wordList = RectAt(boxLeft, listTop, Size{8 * layout.charWidth, 10 * layout.textHeight});
    placement.addWordButton = RectAt(rightColumn, wordRowTop, Size{m.buttonWidth, m.boxHeight});
    placement.upButton = RectAt(rightColumn, listTop, button);
    placement.downButton = RectAt(rightColumn, listTop + m.buttonHeight + m.smallGap, button);
    placement.deleteButton =
        RectAt(rightColumn, m.margin + 2 * (m.buttonHeight + m.smallGap + m.boxHeight + m.rowGap), button);
    return placement;
}
