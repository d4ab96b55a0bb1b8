#include "PhraseEditLayout.h"

PhraseEditMetrics PhraseEditMetrics::ScaledTo(int dpi) const {
    return PhraseEditMetrics{
        ScaleForDpi(margin, dpi),       ScaleForDpi(verticalGap, dpi),
        ScaleForDpi(fieldHeight, dpi),  ScaleForDpi(buttonWidth, dpi),
        ScaleForDpi(buttonHeight, dpi), ScaleForDpi(smallGap, dpi),
        ScaleForDpi(labelDrop, dpi),
    };
}

Size HelpBoxFromExtent(Size helpTextExtent) {
    return Size{helpTextExtent.cx / 3, helpTextExtent.cy * 4};
}

PhraseEditLayout PhraseEditLayoutFor(const std::optional<PhraseEditMeasurements>& measured) {
    PhraseEditLayout layout = StartLayout<PhraseEditLayout>(PhraseEditDialogBase, measured);
    if (measured) {
        layout.phraseLabelDrop = CentredLabelDrop(layout.metrics.fieldHeight, measured->textHeight);
        if (measured->helpTextExtent) {
            layout.textBoxes.help = HelpBoxFromExtent(*measured->helpTextExtent);
        }
        layout.textBoxes.phraseLabel =
            measured->phraseLabelExtent.value_or(layout.textBoxes.phraseLabel);
        layout.textBoxes.vantixLabel =
            measured->vantixLabelExtent.value_or(layout.textBoxes.vantixLabel);
        layout.textBoxes.inputKeyLabel =
            measured->inputKeyLabelExtent.value_or(layout.textBoxes.inputKeyLabel);
    }
    const PhraseEditMetrics& m = layout.metrics;
    const PhraseEditTextBoxes& boxes = layout.textBoxes;
    layout.clientSize = Size{
        2 * m.margin + boxes.help.cx,
        2 * m.margin + boxes.help.cy + 3 * m.verticalGap + 5 * m.fieldHeight + m.labelDrop +
            m.buttonHeight + boxes.inputKeyLabel.cy,
    };
    return layout;
}

PhraseEditPlacement PlacePhraseEditControls(const PhraseEditLayout& layout, Size client) {
    const PhraseEditMetrics& m = layout.metrics;
    const PhraseEditTextBoxes& boxes = layout.textBoxes;
    const int clientWidth = client.cx;
    const Size button{m.buttonWidth, m.buttonHeight};
    const int phraseTop = m.margin + boxes.help.cy + m.verticalGap;
    const int phraseFieldLeft = m.margin + m.smallGap + boxes.phraseLabel.cx;
    // The two key fields share the line under the phrase field, a vertical gap apart.
    const int keysTop = phraseTop + 4 * m.fieldHeight + m.verticalGap;
    const int half = (clientWidth - m.verticalGap - 2 * m.margin) / 2;
    const int inputKeyLeft = clientWidth - half - m.margin;

    PhraseEditPlacement placement;
    placement.cancelButton = BottomRightButton(client, m.margin, m.smallGap, button, 0);
    placement.okButton = BottomRightButton(client, m.margin, m.smallGap, button, 1);
    placement.helpText = RectAt(m.margin, m.margin, boxes.help);
    placement.phraseLabel = RectAt(m.margin, phraseTop + layout.phraseLabelDrop, boxes.phraseLabel);
    placement.phraseField = RectAt(phraseFieldLeft, phraseTop,
                                   Size{clientWidth - m.margin - phraseFieldLeft, 4 * m.fieldHeight});
    placement.vantixLabel = RectAt(m.margin, keysTop, boxes.vantixLabel);
    placement.vantixField = RectAt(m.margin, keysTop + m.labelDrop + boxes.vantixLabel.cy,
                                   Size{half, m.fieldHeight});
    placement.inputKeyLabel = RectAt(inputKeyLeft, keysTop, boxes.inputKeyLabel);
    placement.inputKeyField = RectAt(inputKeyLeft, keysTop + m.labelDrop + boxes.inputKeyLabel.cy,
                                     Size{half, m.fieldHeight});
    return placement;
}
