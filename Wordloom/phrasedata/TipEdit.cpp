#include "TipEdit.h"

#include "Ordering.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::vector<std::u16string> SplitTipWords(std::u16string_view words) {
    std::vector<std::u16string> pieces;
    ForEachTipWord(words, [&pieces](std::u16string_view word) { pieces.emplace_back(word); });
    return pieces;
}

std::u16string JoinTipWords(const std::vector<std::u16string>& words) {
    std::u16string joined;
    for (std::size_t index = 0; index < words.size(); ++index) {
        if (index > 0) joined += u',';
        joined += words[index];
    }
    return joined;
}

bool TableHasCharacter(const TipTable& table, std::u16string_view character) {
    return std::any_of(table.begin(), table.end(), [character](const TipEntry& entry) {
        return EqualIgnoringAsciiCase(entry.character, character);
    });
}

bool ListHasWord(const std::vector<std::u16string>& words, std::u16string_view word) {
    return std::any_of(words.begin(), words.end(),
                       [word](const std::u16string& listed) { return EqualIgnoringAsciiCase(listed, word); });
}

// A lone low surrogate is no character either: it never becomes one, and the table would store
// half a pair.
CharacterBoxVerdict CheckCharacterBox(std::u16string_view text) {
    if (text.empty()) return CharacterBoxVerdict::Empty;
    if (text.size() == 1) {
        const char16_t unit = text[0];
        return IsHighSurrogate(unit) || IsLowSurrogate(unit) ? CharacterBoxVerdict::Incomplete
                                                             : CharacterBoxVerdict::Accepted;
    }
    if (IsHighSurrogate(text[0]) && IsLowSurrogate(text[1])) return CharacterBoxVerdict::Supplementary;
    return CharacterBoxVerdict::TooLong;
}

// A stored line is the character, "=" and the words joined by ",": a word holding "=" would make
// the line invalid, one holding "," would come back as other words, or as none.
WordBoxVerdict CheckWordBox(std::u16string_view text) {
    if (text.size() > MaxTipWordLength) return WordBoxVerdict::TooLong;
    if (text.find_first_of(u"=,") != std::u16string_view::npos) return WordBoxVerdict::Separator;
    return WordBoxVerdict::Accepted;
}

bool CanConfirmTip(std::u16string_view character, std::size_t wordCount) {
    return character.size() == 1 && wordCount > 0;
}

std::optional<WordListButtons> WordListButtonsFor(int count, int selected) {
    if (count <= 0 || selected < 0 || selected >= count) return std::nullopt;
    WordListButtons buttons;
    buttons.up = selected > 0;
    buttons.down = selected < count - 1;
    buttons.remove = count > 1;
    return buttons;
}

int DropInsertIndex(int source, int target) {
    return source < target ? target - 1 : target;
}
