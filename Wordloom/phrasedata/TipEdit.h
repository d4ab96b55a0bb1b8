// What the associated-word editor decides as the user types: whether the character box holds a
// character the table can take, how its word list is read from and written back to an entry's
// words, which of its list buttons apply, and where a dragged word lands.
#pragma once

#include "TipTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the editor hands back: the entry's character and its words joined by ",".
struct EditedTip {
    std::u16string character;
    std::u16string words;
};

// Calls visit with each word of an entry's words, in order, as the list shows them: split at
// every ",", empty pieces dropped. The views point into `words`.
template <class Visit>
void ForEachTipWord(std::u16string_view words, Visit visit) {
    std::size_t start = 0;
    while (start <= words.size()) {
        std::size_t end = words.find(u',', start);
        if (end == std::u16string_view::npos) end = words.size();
        if (end > start) visit(words.substr(start, end - start));
        start = end + 1;
    }
}

// The words of an entry as the list shows them.
std::vector<std::u16string> SplitTipWords(std::u16string_view words);

// The list's words in order, joined by "," (empty for an empty list).
std::u16string JoinTipWords(const std::vector<std::u16string>& words);

// Whether some entry, marked ones included, has the character, ASCII letters in either case.
bool TableHasCharacter(const TipTable& table, std::u16string_view character);

// Whether the list already holds the word, ASCII letters in either case.
bool ListHasWord(const std::vector<std::u16string>& words, std::u16string_view word);

enum class CharacterBoxVerdict {
    Empty,          // nothing typed: the last accepted character stays
    Incomplete,     // a lone surrogate: the second half of a pair is still to come
    Accepted,       // one unit: the new character
    Supplementary,  // begins with a surrogate pair: refused, the text stays
    TooLong,        // two or more units otherwise: refused, the box is cut to two units
};

CharacterBoxVerdict CheckCharacterBox(std::u16string_view text);

enum class WordBoxVerdict {
    Accepted,   // the new word, empty included
    TooLong,    // more than MaxTipWordLength units: refused, the last accepted word comes back
    Separator,  // holds "=" or ",", which the stored text form keeps for itself: refused alike
};

WordBoxVerdict CheckWordBox(std::u16string_view text);

// An entry needs one character and at least one word.
bool CanConfirmTip(std::u16string_view character, std::size_t wordCount);

// Which of Up, Down and Delete apply to the selected word of a list of `count` words; nothing
// when no word is selected (the buttons are then left as they are).
struct WordListButtons {
    bool up = false;
    bool down = false;
    bool remove = false;
    friend bool operator==(const WordListButtons&, const WordListButtons&) = default;
};
std::optional<WordListButtons> WordListButtonsFor(int count, int selected);

// Where a word dragged from `source` and dropped on the word at `target` is inserted once it has
// been taken out of the list: before the word it was dropped on.
int DropInsertIndex(int source, int target);
