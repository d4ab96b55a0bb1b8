#include "RowView.h"

#include <algorithm>

namespace {

// Whether the text holds the folded text, its own ASCII letters lowered as they are compared.
bool HoldsFolded(std::u16string_view text, std::u16string_view folded) {
    if (folded.size() > text.size()) return false;
    const char16_t first = folded[0];
    const std::size_t lastStart = text.size() - folded.size();
    for (std::size_t start = 0; start <= lastStart; ++start) {
        if (FoldAsciiCase(text[start]) != first) continue;
        std::size_t i = 1;
        while (i < folded.size() && FoldAsciiCase(text[start + i]) == folded[i]) ++i;
        if (i == folded.size()) return true;
    }
    return false;
}

}  // namespace

bool EntryHoldsText(const PhraseEntry& entry, std::u16string_view foldedText) {
    return HoldsFolded(entry.phrase, foldedText) || HoldsFolded(entry.inputKey, foldedText) ||
           HoldsFolded(entry.vantixKey, foldedText);
}

bool EntryHoldsText(const TipEntry& entry, std::u16string_view foldedText) {
    // The words are joined by commas: a text without one is held by a word when the joined
    // words hold it, and a text with one is held by no word.
    const bool wordsMayHold = foldedText.find(u',') == std::u16string_view::npos;
    return HoldsFolded(entry.character, foldedText) || (wordsMayHold && HoldsFolded(entry.words, foldedText));
}

int RowView::ListRowOf(std::size_t tableRow) const {
    if (!filtered_) return static_cast<int>(tableRow);
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), tableRow);
    if (at == rows_.end() || *at != tableRow) return -1;
    return static_cast<int>(at - rows_.begin());
}

void RowView::ShowAll() {
    filtered_ = false;
    filterText_.clear();
    rows_.clear();
    rows_.shrink_to_fit();
}
