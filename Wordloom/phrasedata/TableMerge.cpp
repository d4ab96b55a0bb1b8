#include "TableMerge.h"

#include "InputKeys.h"
#include "TipEdit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr char16_t Cr = u'\r';

// Walks the lines exactly as the parsers of both text forms do: a line ends at a CR, the unit
// after each CR is skipped unexamined, and a last line not ended by CR is not read. For each
// line, visit(start, afterSeparator, cr) gets the offsets of its first unit, of the unit just
// after its last separator (start when it has none) and of its CR.
template <class Visit>
void ForEachLine(const char16_t* units, std::size_t count, char16_t separator, Visit visit) {
    std::size_t start = 0;
    while (start < count) {
        std::size_t afterSeparator = start;
        std::size_t cr = start;
        while (cr < count && units[cr] != Cr) {
            if (units[cr] == separator) afterSeparator = cr + 1;
            ++cr;
        }
        if (cr == count) break;
        visit(start, afterSeparator, cr);
        start = cr + 2;
    }
}

constexpr std::uint64_t HashFactor = 0x9E3779B97F4A7C15ull;

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
    hash = (hash ^ value) * HashFactor;
    return hash ^ (hash >> 32);
}

// Goes on hashing with the units of the text, four at a time, each with the case bit of ASCII
// letters (0x20) set: texts equal ignoring ASCII case hash alike. (So do a few other texts;
// the set compares the texts themselves.)
std::uint64_t HashCaseless(std::uint64_t hash, std::u16string_view text) {
    constexpr std::uint64_t CaseBits = 0x0020002000200020ull;
    std::size_t i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        std::uint64_t four = 0;
        std::memcpy(&four, text.data() + i, sizeof four);
        hash = Mix(hash, four | CaseBits);
    }
    std::uint64_t rest = text.size();
    for (; i < text.size(); ++i) rest = (rest << 16) | (text[i] | 0x20u);
    return Mix(hash, rest);
}

// The 32 bits of a slot, taken from the top of one more product, which depends on every bit.
std::uint32_t FinishHash(std::uint64_t hash) {
    return static_cast<std::uint32_t>((hash * HashFactor) >> 32);
}

std::uint32_t HashOfWord(std::u16string_view word) {
    return FinishHash(HashCaseless(0, word));
}

// A line's key hashes as the key it is stored under, since case makes no difference.
std::uint32_t HashOfRow(std::u16string_view key, std::u16string_view phrase) {
    return FinishHash(HashCaseless(HashCaseless(0, key), phrase));
}

std::uint32_t HashOfUnit(char16_t unit) {
    return FinishHash(unit);
}

// A set of indices into a sequence the caller keeps (table rows, words, characters), found by a
// hash of what they stand for. Open addressing keeps the set in one block of 8-byte slots, a
// hash and an index, instead of one allocation per element; the caller's element is read only
// when the hash matches.
class HashedIndexSet {
public:
    explicit HashedIndexSet(std::size_t expected) : slots_(SlotsFor(expected)) {}

    // Returns the index of that hash for which equal(index) holds, or, when there is none, adds
    // `index` under `hash` and returns it. Indices stay far below 2^32 - 1.
    template <class Equal>
    std::size_t FindOrAdd(std::uint32_t hash, std::size_t index, Equal equal) {
        if ((count_ + 1) * 4 > slots_.size() * 3) Rehash(slots_.size() * 2);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.indexPlusOne == 0) {
                slot = Slot{hash, static_cast<std::uint32_t>(index + 1)};
                ++count_;
                return index;
            }
            const std::size_t found = slot.indexPlusOne - 1;
            if (slot.hash == hash && equal(found)) return found;
        }
    }

    // Returns the index of that hash for which equal(index) holds, or `none`.
    template <class Equal>
    std::size_t Find(std::uint32_t hash, std::size_t none, Equal equal) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.indexPlusOne == 0) return none;
            const std::size_t found = slot.indexPlusOne - 1;
            if (slot.hash == hash && equal(found)) return found;
        }
    }

    // Empties the set and makes room for `expected` indices, in the block it has when that is
    // large enough.
    void Reset(std::size_t expected) {
        slots_.assign(SlotsFor(expected), Slot{});
        count_ = 0;
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t indexPlusOne = 0;  // 0: free
    };

    // A power of two with room for `expected` indices at most three quarters full.
    static std::size_t SlotsFor(std::size_t expected) {
        std::size_t slots = 16;
        while (slots * 3 < expected * 4) slots *= 2;
        return slots;
    }

    void Rehash(std::size_t slotCount) {
        const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slotCount));
        const std::size_t mask = slotCount - 1;
        for (const Slot& slot : old) {
            if (slot.indexPlusOne == 0) continue;
            std::size_t i = slot.hash & mask;
            while (slots_[i].indexPlusOne != 0) i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// EqualIgnoringAsciiCase, after a quicker look for texts equal unit for unit, as most equal
// texts here are.
bool SameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    return std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0 || EqualIgnoringAsciiCase(a, b);
}

bool IsMarked(std::uint32_t flags) {
    return (flags & EntryDeleted) != 0;
}

// Appends one word to an entry's words, with a comma unless the words are empty or already end
// in one.
void AppendWord(std::u16string& words, std::u16string_view word) {
    if (!words.empty() && words.back() != u',') words += u',';
    words += word;
}

constexpr std::uint32_t None = 0xFFFFFFFF;

// A unit of a stored key as the parser raises it: "a".."z" to "A".."Z".
char16_t RaisedKeyUnit(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// The key characters, all below 0x80, marked in a table made once from the layout's.
using KeyUnitTable = std::array<bool, 0x80>;

const KeyUnitTable& KeyUnits() {
    static const KeyUnitTable table = [] {
        KeyUnitTable units{};
        for (const KeyLabelRow& row : KeyLabelTable) units[row.keyCharacter] = true;
        return units;
    }();
    return table;
}

// Whether the parser takes the key of a line: key characters once "a".."z" are raised.
bool IsLineKey(std::u16string_view key, const KeyUnitTable& keyUnits) {
    if (key.empty()) return false;
    for (const char16_t c : key) {
        const char16_t raised = RaisedKeyUnit(c);
        if (raised >= keyUnits.size() || !keyUnits[raised]) return false;
    }
    return true;
}

// Whether the key of a line, raised as the parser raises it, is `stored` unit for unit.
bool IsRaisedKey(std::u16string_view lineKey, std::u16string_view stored) {
    if (lineKey.size() != stored.size()) return false;
    for (std::size_t i = 0; i < lineKey.size(); ++i) {
        if (RaisedKeyUnit(lineKey[i]) != stored[i]) return false;
    }
    return true;
}

}  // namespace

// The lines are read straight from the text, as the parser reads them, and noted by their
// offsets and hash: a line that is already there costs no allocation, and the new ones become
// rows once their number is known, so the table grows once and only by what it needs. The set
// holds the file's lines only (a small file merged into a large table keeps it small), and the
// hashes come first, so that each lookup can fetch its slot ahead of time.
PhraseMergeCounts MergePhrasesFromText(UserPhrases& phrases, PhraseSortState& sort,
                                       const char16_t* units, std::size_t count,
                                       std::int32_t normalImage) {
    PhraseTable& table = phrases.table;
    PhraseMergeCounts counts;

    struct Line {
        std::size_t start;     // the key
        std::size_t afterTab;  // the phrase
        std::size_t cr;
        std::uint32_t hash;
        bool isNew = true;
    };
    const auto keyOf = [units](const Line& line) {
        return std::u16string_view(units + line.start, line.afterTab - 1 - line.start);
    };
    const auto phraseOf = [units](const Line& line) {
        return std::u16string_view(units + line.afterTab, line.cr - line.afterTab);
    };
    std::vector<Line> lines;
    lines.reserve(static_cast<std::size_t>(std::count(units, units + count, Cr)));
    const KeyUnitTable& keyUnits = KeyUnits();
    ForEachLine(units, count, u'\t', [&](std::size_t start, std::size_t afterTab, std::size_t cr) {
        const std::u16string_view key(units + start, afterTab > start ? afterTab - 1 - start : 0);
        if (!IsLineKey(key, keyUnits)) {
            ++counts.invalidLines;
            return;
        }
        lines.push_back(Line{start, afterTab, cr, HashOfRow(key, std::u16string_view(units + afterTab, cr - afterTab))});
    });
    if (lines.empty()) {
        counts.outcome = ImportOutcome::NothingRead;
        return counts;
    }

    // A line equal to an earlier one is already there (the earlier one is added, or is there).
    // Keys hold key characters and letters only: equal ignoring case is equal once raised.
    HashedIndexSet firstLines(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Line& line = lines[i];
        const std::size_t first = firstLines.FindOrAdd(line.hash, i, [&](std::size_t earlier) {
            return SameIgnoringAsciiCase(keyOf(line), keyOf(lines[earlier])) &&
                   SameIgnoringAsciiCase(phraseOf(line), phraseOf(lines[earlier]));
        });
        line.isNew = first == i;
    }
    // So is the first of its kind when an unmarked row equals it.
    std::vector<std::uint32_t> rowHashes(table.size());
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (!IsMarked(table[row].flags)) rowHashes[row] = HashOfRow(table[row].inputKey, table[row].phrase);
    }
    const auto notFound = std::size_t(-1);
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (IsMarked(table[row].flags)) continue;
        const PhraseEntry& entry = table[row];
        const std::size_t first = firstLines.Find(rowHashes[row], notFound, [&](std::size_t line) {
            return IsRaisedKey(keyOf(lines[line]), entry.inputKey) && SameIgnoringAsciiCase(phraseOf(lines[line]), entry.phrase);
        });
        if (first != notFound) lines[first].isNew = false;
    }
    std::uint64_t addedBytes = 0;
    for (const Line& line : lines) {
        if (!line.isNew) continue;
        ++counts.added;
        addedBytes += (line.cr - line.start + 2) * sizeof(char16_t);  // key, TAB, phrase, CR LF
    }
    counts.alreadyThere = lines.size() - counts.added;
    if (counts.added > 0 && StoredFormBytes(table) + addedBytes > MaxImportFileSize) {
        counts.outcome = ImportOutcome::TableTooLarge;
        return counts;
    }

    table.reserve(table.size() + counts.added);
    for (const Line& line : lines) {
        if (!line.isNew) continue;
        // One pass raises and labels the key, as the parser does.
        const std::u16string_view key = keyOf(line);
        PhraseEntry& entry = table.emplace_back();
        entry.phrase.assign(phraseOf(line));
        entry.inputKey.resize(key.size());
        entry.vantixKey.resize(2 * key.size());
        for (std::size_t k = 0; k < key.size(); ++k) {
            entry.inputKey[k] = RaisedKeyUnit(key[k]);
            const std::u16string_view label = *KeyLabelOf(entry.inputKey[k]);
            entry.vantixKey[2 * k] = label[0];
            entry.vantixKey[2 * k + 1] = label[1];
        }
        entry.image = normalImage;
    }
    if (counts.added > 0) {
        phrases.phrasesUnchanged = false;
        sort = PhraseSortState{};  // the new rows sit at the end whatever the order was
    }
    return counts;
}

// First each line goes to its entry: the first unmarked entry of its character, or a new entry
// made of the line itself. The lines that extend an entry are then gathered per character, in
// the file's order, and the entries are finished one after the other in the table's order: that
// gives the same words as taking the lines one by one, while the set of words in hand is that
// entry's alone and the table is read front to back.
TipMergeCounts MergeTipsFromText(UserTips& tips, const char16_t* units, std::size_t count,
                                 std::int32_t normalImage) {
    TipTable& table = tips.table;
    const std::size_t rowsBefore = table.size();
    TipMergeCounts counts;

    // Per character (one unit) met: the entry its lines go to and its extending lines, found
    // through a set of their indices.
    struct Character {
        char16_t unit;
        std::uint32_t entry = None;
        std::uint32_t firstLine = 0;  // in `grouped` below
        std::uint32_t lineCount = 0;
    };
    std::vector<Character> characters;
    HashedIndexSet characterIndex(0);
    const auto characterOf = [&](char16_t unit) -> std::size_t {
        const std::size_t i = characterIndex.FindOrAdd(HashOfUnit(unit), characters.size(), [&](std::size_t c) {
            return characters[c].unit == unit;
        });
        if (i == characters.size()) characters.push_back(Character{unit});
        return i;
    };
    for (std::size_t row = 0; row < rowsBefore; ++row) {
        const TipEntry& entry = table[row];
        if (IsMarked(entry.flags) || entry.character.size() != 1) continue;
        const std::size_t c = characterOf(entry.character[0]);
        std::uint32_t& target = characters[c].entry;
        if (target == None) target = static_cast<std::uint32_t>(row);
    }

    struct Line {
        std::size_t character;  // index in `characters`
        std::u16string_view words;
    };
    std::vector<Line> newEntries;
    std::vector<Line> extending;
    std::vector<std::size_t> extended;  // characters with extending lines
    ForEachLine(units, count, u'=', [&](std::size_t start, std::size_t afterSeparator, std::size_t cr) {
        if (afterSeparator != start + 2) {  // exactly one unit must stand before the last "="
            ++counts.invalidLines;
            return;
        }
        const std::u16string_view words(units + afterSeparator, cr - afterSeparator);
        const std::size_t c = characterOf(units[start]);
        Character& character = characters[c];
        if (character.entry == None) {
            character.entry = static_cast<std::uint32_t>(rowsBefore + newEntries.size());
            newEntries.push_back(Line{c, words});
            return;
        }
        extending.push_back(Line{c, words});
        if (character.lineCount++ == 0) extended.push_back(c);
    });
    if (newEntries.empty() && extending.empty()) {
        counts.outcome = ImportOutcome::NothingRead;
        return counts;
    }

    // The new entries as they were read, appended at once; then the table holds every entry
    // that lines extend.
    table.reserve(rowsBefore + newEntries.size());
    for (const Line& line : newEntries) {
        TipEntry& entry = table.emplace_back();
        entry.words.assign(line.words);
        entry.character.assign(1, characters[line.character].unit);
        entry.image = normalImage;
    }
    counts.added = newEntries.size();

    // The extending lines side by side per character, each character's in the file's order.
    std::vector<std::u16string_view> grouped(extending.size());
    std::uint32_t placed = 0;
    for (const std::size_t c : extended) {
        characters[c].firstLine = placed;
        placed += characters[c].lineCount;
        characters[c].lineCount = 0;
    }
    for (const Line& line : extending) {
        Character& character = characters[line.character];
        grouped[character.firstLine + character.lineCount++] = line.words;
    }
    std::sort(extended.begin(), extended.end(),
              [&](std::size_t a, std::size_t b) { return characters[a].entry < characters[b].entry; });

    // The entry's words, then those its lines bring that it lacks, as views into the entry and
    // the text: the entry's words do not change until it is done.
    std::vector<std::u16string_view> words;
    HashedIndexSet listed(0);
    std::vector<std::pair<std::size_t, std::size_t>> grownRows;  // row, length of its words before
    for (std::size_t k = 0; k < extended.size(); ++k) {
        const Character& character = characters[extended[k]];
        const auto linesBegin = grouped.begin() + character.firstLine;
        const auto linesEnd = linesBegin + character.lineCount;
        std::u16string& entryWords = table[character.entry].words;
        words.clear();
        // A word takes at least one unit and a comma.
        std::size_t mostWords = entryWords.size() / 2 + 1;
        for (auto line = linesBegin; line != linesEnd; ++line) mostWords += line->size() / 2 + 1;
        listed.Reset(mostWords);
        const auto addUnlessListed = [&](std::u16string_view word) {
            const std::size_t found = listed.FindOrAdd(HashOfWord(word), words.size(), [&](std::size_t i) {
                return SameIgnoringAsciiCase(words[i], word);
            });
            if (found == words.size()) words.push_back(word);
        };
        ForEachTipWord(entryWords, addUnlessListed);
        const std::size_t listedBefore = words.size();
        for (auto line = linesBegin; line != linesEnd; ++line) ForEachTipWord(*line, addUnlessListed);
        if (words.size() == listedBefore) continue;
        // Only now does the entry's text grow: the views of its own words are no longer read.
        std::size_t length = entryWords.size();
        for (std::size_t i = listedBefore; i < words.size(); ++i) length += words[i].size() + 1;
        if (character.entry < rowsBefore) grownRows.emplace_back(character.entry, entryWords.size());
        entryWords.reserve(length);
        for (std::size_t i = listedBefore; i < words.size(); ++i) AppendWord(entryWords, words[i]);
    }
    counts.extended = grownRows.size();

    // Words are only ever appended, so a table grown too large is put back exactly as it was.
    if ((counts.added > 0 || counts.extended > 0) && StoredFormBytes(table) > MaxImportFileSize) {
        for (const auto& [row, length] : grownRows) table[row].words.resize(length);
        table.erase(table.begin() + static_cast<std::ptrdiff_t>(rowsBefore), table.end());
        counts.outcome = ImportOutcome::TableTooLarge;
        return counts;
    }

    if (counts.added > 0 || counts.extended > 0) tips.tipsUnchanged = false;
    return counts;
}
